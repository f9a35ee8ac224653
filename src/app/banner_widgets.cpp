#include "app/banner_widgets.h"

#include <QEnterEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace rankminer {

PictureButton::PictureButton(Painter painter, QWidget* parent)
    : QAbstractButton(parent), painter_(std::move(painter)) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

QSize PictureButton::sizeHint() const {
    return {40, 40};
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (painter_) {
        painter_(painter, rect());
    }
    if (hovered_ || isDown()) {
        painter.fillRect(rect(), QColor(255, 255, 255, isDown() ? 90 : 50));
    }
}

void PictureButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

LinkLabel::LinkLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette blue = palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 204));
    setPalette(blue);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        down_ = true;
        emit pressed();
    }
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasDown = down_;
    down_ = false;
    if (event->button() == Qt::LeftButton && wasDown &&
        rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

namespace {
QRectF inset(const QRect& rect, qreal margin) {
    return QRectF(rect).adjusted(margin, margin, -margin, -margin);
}
}  // namespace

void paintSaveSettingsPicture(QPainter& painter, const QRect& rect) {
    // A diskette: body, shutter and label.
    const QRectF body = inset(rect, 4);
    painter.setPen(QPen(QColor(30, 60, 120), 1.5));
    painter.setBrush(QColor(60, 110, 200));
    painter.drawRoundedRect(body, 3, 3);
    const qreal w = body.width();
    const qreal h = body.height();
    painter.setBrush(QColor(210, 215, 225));
    painter.drawRect(QRectF(body.left() + w * 0.25, body.top(), w * 0.5, h * 0.32));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(body.left() + w * 0.15, body.top() + h * 0.5, w * 0.7, h * 0.45));
}

void paintNotesPicture(QPainter& painter, const QRect& rect) {
    // A question mark in a round badge.
    const QRectF circle = inset(rect, 4);
    painter.setPen(QPen(QColor(150, 90, 0), 1.5));
    painter.setBrush(QColor(250, 180, 40));
    painter.drawEllipse(circle);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(static_cast<int>(circle.height() * 0.7));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(circle, Qt::AlignCenter, QStringLiteral("?"));
}

void paintHomePagePicture(QPainter& painter, const QRect& rect) {
    // A house: roof and walls with a door.
    const QRectF box = inset(rect, 4);
    QPainterPath roof;
    roof.moveTo(box.left(), box.top() + box.height() * 0.45);
    roof.lineTo(box.center().x(), box.top());
    roof.lineTo(box.right(), box.top() + box.height() * 0.45);
    roof.closeSubpath();
    painter.setPen(QPen(QColor(120, 30, 30), 1.5));
    painter.setBrush(QColor(200, 60, 50));
    painter.drawPath(roof);
    const QRectF walls(box.left() + box.width() * 0.15, box.top() + box.height() * 0.45,
                       box.width() * 0.7, box.height() * 0.55);
    painter.setBrush(QColor(240, 230, 200));
    painter.drawRect(walls);
    painter.setBrush(QColor(120, 80, 40));
    painter.drawRect(QRectF(walls.center().x() - walls.width() * 0.12,
                            walls.top() + walls.height() * 0.35, walls.width() * 0.24,
                            walls.height() * 0.65));
}

void paintTitlePicture(QPainter& painter, const QRect& rect) {
    QLinearGradient sky(rect.topLeft(), rect.bottomRight());
    sky.setColorAt(0, QColor(20, 70, 150));
    sky.setColorAt(1, QColor(60, 150, 220));
    painter.fillRect(rect, sky);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(30);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(rect.adjusted(16, 8, 0, -30), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("RankMiner"));
    font.setBold(false);
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(QColor(220, 235, 255));
    painter.drawText(rect.adjusted(18, 50, 0, -8), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("百度排名采集 · 关键词挖掘"));
}

void paintLogoPicture(QPainter& painter, const QRect& rect) {
    const QRectF badge = inset(rect, 2);
    QLinearGradient fill(badge.topLeft(), badge.bottomLeft());
    fill.setColorAt(0, QColor(255, 140, 0));
    fill.setColorAt(1, QColor(220, 60, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(badge, 8, 8);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(static_cast<int>(badge.height() * 0.5));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(badge, Qt::AlignCenter, QStringLiteral("RM"));
}

}  // namespace rankminer
