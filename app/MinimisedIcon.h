// Where the minimised dialog draws its icon.
#pragma once

struct IconPosition {
    int x;
    int y;
};

// The icon's top-left corner for it to stand centred in the client area, rounded as the window has
// always drawn it; negative when the client area is smaller than the icon.
constexpr IconPosition CentredIconPosition(int clientWidth, int clientHeight, int iconWidth,
                                           int iconHeight) {
    return {(clientWidth - iconWidth + 1) / 2, (clientHeight - iconHeight + 1) / 2};
}
