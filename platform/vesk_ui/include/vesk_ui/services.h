// Desktop services behind one interface: the backend installs the real ones;
// without a backend an in-process stand-in answers (tests).
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace vesk_ui {

class PlatformServices {
public:
    virtual ~PlatformServices() = default;
    virtual void clipboard_copy(const std::string& text) = 0;
    virtual std::string clipboard_text() const = 0;
    // Starts a drag of file paths that other applications accept as URIs.
    // Returns false when no drag could start.
    virtual bool start_file_drag(const std::vector<std::string>& paths) = 0;
    virtual std::chrono::milliseconds multi_click_interval() const = 0;
};

PlatformServices& platform_services();
void install_platform_services(std::unique_ptr<PlatformServices> services);

namespace text_selection {
inline void clipboard_copy(const std::string& text) { platform_services().clipboard_copy(text); }
}  // namespace text_selection

namespace dnd {
inline bool start_file_drag(const std::vector<std::string>& paths) {
    return platform_services().start_file_drag(paths);
}
}  // namespace dnd

namespace gesture {
inline std::chrono::milliseconds multi_click_interval() {
    return platform_services().multi_click_interval();
}
}  // namespace gesture

}  // namespace vesk_ui
