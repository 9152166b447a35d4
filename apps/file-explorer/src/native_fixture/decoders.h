// The toolkit's picture codecs, in the form the thumbnail service takes.
#pragma once

#include "thumbnail/service.h"

namespace file_explorer::native_fixture {

thumbnail::Decoders image_decoders();

}  // namespace file_explorer::native_fixture
