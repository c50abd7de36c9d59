#include "app/middle_ellipsis.h"

std::string ShortenInTheMiddle(const std::string& text, const std::function<bool(const std::string&)>& fits) {
    if (fits(text)) return text;
    for (std::size_t keep = text.size(); keep-- > 0;) {
        const std::size_t head = keep / 3;
        const std::string shortened = text.substr(0, head) + "..." + text.substr(text.size() - (keep - head));
        if (fits(shortened)) return shortened;
    }
    return "...";
}
