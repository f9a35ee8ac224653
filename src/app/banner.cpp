#include "app/banner.h"

#include <QPainter>

#include "app/banner_widgets.h"

namespace rankminer {

namespace {
// A picture that is not a button.
class PictureBox : public QWidget {
public:
    PictureBox(PictureButton::Painter painter, QWidget* parent)
        : QWidget(parent), painter_(std::move(painter)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter_(painter, rect());
    }

private:
    PictureButton::Painter painter_;
};

struct BannerButton {
    const char16_t* pictureName;
    const char16_t* linkName;
    const char16_t* caption;
    PictureButton::Painter painter;
};
}  // namespace

Banner::Banner(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("图片框1"));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(235, 242, 250));
    setPalette(background);

    auto* title = new PictureBox(paintTitlePicture, this);
    title->setObjectName(QStringLiteral("图片框标题"));
    title->setGeometry(0, 0, 330, kHeight);

    const BannerButton buttons[] = {
        {u"图片保存配置", u"链接保存配置", u"保存配置", paintSaveSettingsPicture},
        {u"图片疑点说明", u"链接疑点说明", u"疑点说明", paintNotesPicture},
        {u"图片软件主页", u"链接软件主页", u"软件主页", paintHomePagePicture},
    };
    int left = 350;
    for (const BannerButton& button : buttons) {
        auto* picture = new PictureButton(button.painter, this);
        picture->setObjectName(QString::fromUtf16(button.pictureName));
        picture->setToolTip(QString::fromUtf16(button.caption));
        picture->setGeometry(left + 12, 8, 40, 40);
        auto* link = new LinkLabel(QString::fromUtf16(button.caption), this);
        link->setObjectName(QString::fromUtf16(button.linkName));
        link->setAlignment(Qt::AlignCenter);
        link->setGeometry(left, 54, 64, 20);
        lastFixed_ = link;
        left += 76;
    }
    auto* savePicture = findChild<PictureButton*>(QStringLiteral("图片保存配置"));
    auto* saveLink = findChild<LinkLabel*>(QStringLiteral("链接保存配置"));
    auto* notesPicture = findChild<PictureButton*>(QStringLiteral("图片疑点说明"));
    auto* notesLink = findChild<LinkLabel*>(QStringLiteral("链接疑点说明"));
    auto* homePicture = findChild<PictureButton*>(QStringLiteral("图片软件主页"));
    auto* homeLink = findChild<LinkLabel*>(QStringLiteral("链接软件主页"));
    connect(savePicture, &QAbstractButton::clicked, this, &Banner::saveRequested);
    connect(saveLink, &LinkLabel::pressed, this, &Banner::saveRequested);
    connect(notesPicture, &QAbstractButton::clicked, this, &Banner::notesRequested);
    connect(notesLink, &LinkLabel::pressed, this, &Banner::notesRequested);
    connect(homePicture, &QAbstractButton::clicked, this, &Banner::homePageRequested);
    connect(homeLink, &LinkLabel::clicked, this, &Banner::homePageRequested);

    auto* logo = new PictureButton(paintLogoPicture, this);
    logo->setObjectName(QStringLiteral("图片框标志"));
    logo->setGeometry(fixedPicturesRight() + kTurnDistance + 1, 16, 110, 56);
    connect(logo, &QAbstractButton::clicked, this, &Banner::homePageRequested);
    logo_ = logo;
}

int Banner::fixedPicturesRight() const {
    return lastFixed_->geometry().right() + 1;
}

void Banner::stepLogo() {
    const int x = logo_->x() + (movingRight_ ? 1 : -1);
    logo_->move(x, logo_->y());
    if (movingRight_ && x + logo_->width() >= width() - kTurnDistance) {
        movingRight_ = false;
    } else if (!movingRight_ && x <= fixedPicturesRight() + kTurnDistance) {
        movingRight_ = true;
    }
}

}  // namespace rankminer
