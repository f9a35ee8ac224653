#pragma once

// The banner across the top of the main window (图片框1): the product picture,
// the picture buttons with their link captions and the maker's logo, which
// wanders to and fro between the buttons and the right edge.

#include <QWidget>

namespace rankminer {

class Banner : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHeight = 88;
    // How close the logo comes to either end of its way.
    static constexpr int kTurnDistance = 20;

    explicit Banner(QWidget* parent);

    // One tick of the logo animation: one pixel in the current direction,
    // turning when the logo comes within kTurnDistance of the banner's right
    // edge or of the right edge of the last fixed picture on its left.
    void stepLogo();
    QWidget& logo() const { return *logo_; }
    bool logoMovingRight() const { return movingRight_; }
    // The right edge of the fixed pictures the logo stays clear of.
    int fixedPicturesRight() const;

signals:
    void saveRequested();
    void notesRequested();
    void homePageRequested();

private:
    QWidget* logo_ = nullptr;
    QWidget* lastFixed_ = nullptr;
    bool movingRight_ = true;
};

}  // namespace rankminer
