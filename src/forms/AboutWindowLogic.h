#pragma once

// What the About window's logic needs of its window.
class AboutView {
public:
    virtual ~AboutView() = default;
    virtual void closeWindow() = 0;
};

// The About window's one handler: its icon button closes it, and nothing else happens.
inline void Command1_Click(AboutView& view) {
    view.closeWindow();
}
