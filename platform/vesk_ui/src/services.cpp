#include <mutex>

#include "vesk_ui/services.h"

namespace vesk_ui {

namespace {

// Answers without a desktop: a clipboard inside the process, no drags, and
// the usual double-click interval.
class InProcessServices final : public PlatformServices {
public:
    void clipboard_copy(const std::string& text) override {
        std::lock_guard lock(mutex_);
        clipboard_ = text;
    }
    std::string clipboard_text() const override {
        std::lock_guard lock(mutex_);
        return clipboard_;
    }
    bool start_file_drag(const std::vector<std::string>&) override { return false; }
    std::chrono::milliseconds multi_click_interval() const override { return std::chrono::milliseconds(400); }

private:
    mutable std::mutex mutex_;
    std::string clipboard_;
};

std::mutex slot_mutex;

std::unique_ptr<PlatformServices>& slot() {
    static std::unique_ptr<PlatformServices> services = std::make_unique<InProcessServices>();
    return services;
}

}  // namespace

PlatformServices& platform_services() {
    std::lock_guard lock(slot_mutex);
    return *slot();
}

void install_platform_services(std::unique_ptr<PlatformServices> services) {
    if (!services) services = std::make_unique<InProcessServices>();
    std::lock_guard lock(slot_mutex);
    // References handed out earlier stay valid for the life of the process.
    static std::vector<std::unique_ptr<PlatformServices>> retired;
    retired.push_back(std::move(slot()));
    slot() = std::move(services);
}

}  // namespace vesk_ui
