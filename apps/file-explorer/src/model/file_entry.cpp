#include "model/file_entry.h"

namespace file_explorer::model {

std::optional<std::tm> to_local_time(ModifiedTime time) {
    auto seconds = static_cast<std::time_t>(time.seconds);
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr) return std::nullopt;
    return local;
}

CollabBox::CollabBox(const CollabBox& other)
    : fields_(other.fields_ ? std::make_unique<CollabFields>(*other.fields_) : nullptr) {}

CollabBox& CollabBox::operator=(const CollabBox& other) {
    if (this != &other) fields_ = other.fields_ ? std::make_unique<CollabFields>(*other.fields_) : nullptr;
    return *this;
}

const CollabFields& CollabBox::operator*() const {
    static const CollabFields kNone;
    return fields_ ? *fields_ : kNone;
}

CollabFields& CollabBox::edit() {
    if (!fields_) fields_ = std::make_unique<CollabFields>();
    return *fields_;
}

}  // namespace file_explorer::model
