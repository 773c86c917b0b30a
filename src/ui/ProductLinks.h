#pragma once

namespace pictaven {

// The product's web pages, opened from the Help menu, the tool bar and the About box.
struct ProductLinks {
    static constexpr const char* home = "https://pictaven.example.org/";
    static constexpr const char* faq = "https://pictaven.example.org/faq/";
    static constexpr const char* download = "https://pictaven.example.org/download/";
};

} // namespace pictaven
