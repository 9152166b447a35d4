#include "native_fixture/pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include <fmt/format.h>

namespace file_explorer::native_fixture {

namespace {

struct Rgb {
    float r, g, b;
};

Rgb mix(Rgb a, Rgb b, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

std::uint32_t pack(Rgb c) {
    auto ch = [](float v) { return static_cast<std::uint32_t>(std::clamp(v, 0.0f, 255.0f)); };
    return 0xff000000u | (ch(c.r) << 16) | (ch(c.g) << 8) | ch(c.b);
}

float smooth(float edge0, float edge1, float x) {
    float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

Rgb sunset(float x, float y) {
    Rgb sky = mix({255, 170, 90}, {110, 60, 140}, y / 0.62f);
    float d = std::hypot(x - 0.5f, (y - 0.55f) * 1.6f);
    sky = mix(sky, {255, 230, 160}, 1 - smooth(0.07f, 0.11f, d));
    float hill = 0.62f + 0.05f * std::sin(x * 7.0f) + 0.03f * std::sin(x * 17.0f + 1.0f);
    return y > hill ? mix({70, 40, 80}, {30, 20, 45}, (y - hill) * 3) : sky;
}

Rgb harbour(float x, float y) {
    if (y < 0.5f) return mix({150, 200, 235}, {220, 235, 245}, y / 0.5f);
    Rgb sea = mix({40, 110, 160}, {20, 60, 100}, (y - 0.5f) * 2);
    float wave = 0.5f + 0.5f * std::sin(x * 60.0f + y * 25.0f);
    sea = mix(sea, {90, 160, 200}, wave * 0.15f);
    for (float bx : {0.2f, 0.55f, 0.8f}) {
        if (std::abs(x - bx) < 0.06f && y > 0.46f && y < 0.52f) return {235, 235, 230};
        if (std::abs(x - bx) < 0.004f && y > 0.32f && y < 0.48f) return {60, 50, 45};
    }
    return sea;
}

Rgb forest(float x, float y) {
    Rgb base = mix({120, 170, 110}, {30, 70, 40}, y);
    float trees = std::sin(x * 40.0f) * 0.04f + 0.35f;
    if (y < trees) base = mix({200, 225, 200}, {150, 190, 160}, y / trees);
    float path_half = 0.02f + (y - 0.45f) * 0.35f;
    if (y > 0.45f && std::abs(x - 0.5f - (y - 0.45f) * 0.2f) < path_half) return mix({200, 170, 120}, {150, 120, 80}, y);
    return base;
}

Rgb bloom(float x, float y) {
    float dx = x - 0.5f, dy = (y - 0.5f) * 1.5f;
    float r = std::hypot(dx, dy), a = std::atan2(dy, dx);
    float petal = 0.28f + 0.08f * std::cos(a * 6.0f);
    Rgb bg = mix({250, 235, 240}, {235, 210, 225}, y);
    if (r < 0.06f) return {250, 200, 80};
    if (r < petal) return mix({240, 120, 170}, {200, 60, 120}, r / petal);
    return bg;
}

Rgb study(float x, float y) {
    Rgb wall = mix({230, 215, 190}, {200, 180, 150}, y);
    if (y > 0.7f) return mix({120, 80, 50}, {90, 60, 40}, (y - 0.7f) * 3);  // desk
    if (x > 0.12f && x < 0.42f && y > 0.15f && y < 0.5f) return mix({170, 210, 240}, {120, 170, 210}, y);  // window
    for (int i = 0; i < 7; ++i) {
        float bx = 0.55f + i * 0.05f;
        if (x > bx && x < bx + 0.04f && y > 0.45f - (i % 3) * 0.04f && y < 0.7f)
            return mix({160, 60, 50}, {50, 90, 140}, i / 6.0f);
    }
    return wall;
}

}  // namespace

vesk_ui::Image make_picture(Scene scene, int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int j = 0; j < height; ++j) {
        for (int i = 0; i < width; ++i) {
            const float x = (i + 0.5f) / static_cast<float>(width);
            const float y = (j + 0.5f) / static_cast<float>(height);
            Rgb c{};
            switch (scene) {
                case Scene::Sunset: c = sunset(x, y); break;
                case Scene::Harbour: c = harbour(x, y); break;
                case Scene::Forest: c = forest(x, y); break;
                case Scene::Bloom: c = bloom(x, y); break;
                case Scene::Study: c = study(x, y); break;
            }
            pixels[static_cast<std::size_t>(j) * static_cast<std::size_t>(width) + static_cast<std::size_t>(i)] = pack(c);
        }
    }
    return vesk_ui::Image::from_pixels(width, height, std::move(pixels));
}

std::string one_page_pdf() {
    const std::string content =
        "0.16 0.42 0.33 rg 0 700 612 92 re f\n"
        "1 1 1 rg BT /F1 30 Tf 48 735 Td (Field guide) Tj ET\n"
        "0.2 0.2 0.2 rg BT /F1 14 Tf 48 660 Td (Birds, trees and trails of the coast) Tj ET\n"
        "0.75 0.82 0.78 rg 48 380 516 240 re f\n"
        "0.3 0.3 0.3 RG 2 w 48 340 m 564 340 l S 48 310 m 480 310 l S 48 280 m 520 280 l S\n";
    std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R "
        "/Resources << /Font << /F1 5 0 R >> >> >>",
        fmt::format("<< /Length {} >>\nstream\n{}endstream", content.size(), content),
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
    };
    std::string pdf = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += fmt::format("{} 0 obj\n{}\nendobj\n", i + 1, objects[i]);
    }
    const std::size_t xref = pdf.size();
    pdf += fmt::format("xref\n0 {}\n0000000000 65535 f \n", objects.size() + 1);
    for (std::size_t off : offsets) pdf += fmt::format("{:010} 00000 n \n", off);
    pdf += fmt::format("trailer\n<< /Size {} /Root 1 0 R >>\nstartxref\n{}\n%%EOF\n", objects.size() + 1, xref);
    return pdf;
}

}  // namespace file_explorer::native_fixture
