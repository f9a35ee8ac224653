#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/banner_widgets.h"
#include "app/main_window_controls.h"

namespace rankminer {

// The raised frame the two start buttons sit in.
QWidget* makePictureFrame(QWidget& parent, const QString& name, QRect where) {
    auto* frame = new QFrame(&parent);
    frame->setObjectName(name);
    frame->setGeometry(where);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setAutoFillBackground(true);
    QPalette tint = frame->palette();
    tint.setColor(QPalette::Window, QColor(214, 230, 250));
    frame->setPalette(tint);
    return frame;
}

void buildHelpPage(QWidget& page) {
    QLabel* text = makeLabel(
        page, QStringLiteral("标签7"),
        QStringLiteral("\n每天访问榕查的站长很多，尤其是高峰期，会偶尔造成榕查无法访问的情况。\n"
                       "因此当网络拥堵时，本程序也是无法读取到数据的，结果自然为空！\n"
                       "这时请稍后再试。可以点击下面链接在浏览器中打开榕查来测试是否访问畅通！"),
        {20, 10, 900, 90});
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* rankLink = new LinkLabel(QStringLiteral("百度排名查询页>>>"), &page);
    rankLink->setObjectName(QStringLiteral("超级链接框2"));
    rankLink->setGeometry(20, 116, 200, 22);
    auto* keywordLink = new LinkLabel(QStringLiteral("关键词挖掘页>>>"), &page);
    keywordLink->setObjectName(QStringLiteral("超级链接框3"));
    keywordLink->setGeometry(20, 146, 200, 22);
    makeButton(page, QStringLiteral("按钮3"),
               QStringLiteral("访问缓慢或换IP后依然限制可以尝试清除缓存"), {20, 182, 340, 28});
}

}  // namespace rankminer
