#pragma once

// The banner's small widgets: picture buttons whose pictures we paint
// ourselves, and link captions that act on the left button going down.

#include <QAbstractButton>
#include <QLabel>

#include <functional>

class QPainter;

namespace rankminer {

// A button that is only its picture. The painter draws into the button's
// whole rectangle; the button lightens the picture while hovered.
class PictureButton : public QAbstractButton {
    Q_OBJECT

public:
    using Painter = std::function<void(QPainter&, const QRect&)>;
    PictureButton(Painter painter, QWidget* parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    Painter painter_;
    bool hovered_ = false;
};

// A caption in link style. pressed() fires when the left button goes down on
// it, clicked() when a left click completes on it.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    LinkLabel(const QString& caption, QWidget* parent);

signals:
    void pressed();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool down_ = false;
};

// The pictures.
void paintSaveSettingsPicture(QPainter& painter, const QRect& rect);
void paintNotesPicture(QPainter& painter, const QRect& rect);
void paintHomePagePicture(QPainter& painter, const QRect& rect);
void paintTitlePicture(QPainter& painter, const QRect& rect);
void paintLogoPicture(QPainter& painter, const QRect& rect);

}  // namespace rankminer
