#include "native_fixture/decoders.h"

#include "vesk_ui/image_codec.h"

namespace file_explorer::native_fixture {

thumbnail::Decoders image_decoders() {
    thumbnail::Decoders decoders;
    decoders.decode_file = [](const std::string& path, int max_side) {
        return vesk_ui::image_codec::decode_file(path, max_side);
    };
    decoders.decode_bytes = [](std::span<const std::uint8_t> bytes, int max_side) {
        return vesk_ui::image_codec::decode_bytes(bytes, max_side);
    };
    decoders.encode_png = [](const vesk_ui::Image& image) { return vesk_ui::image_codec::encode_png(image); };
    return decoders;
}

}  // namespace file_explorer::native_fixture
