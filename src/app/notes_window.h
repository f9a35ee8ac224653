#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <string_view>

class QWidget;

namespace rankminer {

// Height in pixels of the text window's prompt box: 12 pixels for every
// visual line, where each "\r\n"-separated piece of the GBK prompt takes
// ceil(bytes / charactersPerLine) lines, at least one, and a box `boxWidth`
// pixels wide holds trunc(boxWidth / 6) characters per line. The empty
// prompt is 0 pixels high.
int promptBoxHeight(std::string_view gbkPrompt, int boxWidth);

// Where the text window's three controls go in a client area of the given
// size: the prompt on top, the body filling the space down to a 34-pixel
// band, the close button at the right of that band.
struct TextWindowGeometry {
    QRect prompt;
    QRect body;
    QRect closeButton;
};
TextWindowGeometry layoutTextWindow(QSize client, std::string_view gbkPrompt, QSize closeButton);

// Shows a long text read-only in a modal window captioned "信息：" + title,
// centred on the screen, and returns when the user closes it. While a text
// window is open, a further call returns at once without showing anything.
// A null owner gives a window without owner.
void showTextWindow(const QString& title, const QString& body, QWidget* owner);

// The text window with the help text, captioned "信息：疑点说明".
void showNotesWindow(QWidget* owner);

}  // namespace rankminer
