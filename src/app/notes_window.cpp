#include "app/notes_window.h"

#include <QDialog>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "app/gbk_qt.h"
#include "app/help_text.h"
#include "text/gbk.h"

namespace rankminer {

namespace {

constexpr int kMargin = 5;
constexpr int kPixelsPerLine = 12;
constexpr int kPixelsPerCharacter = 6;
constexpr int kButtonBand = 34;
constexpr int kTaskBarHeight = 30;

class TextWindow : public QDialog {
public:
    TextWindow(const QString& title, const QString& prompt, const QString& body, QWidget* owner)
        : QDialog(owner), gbkPrompt_(toGbk(prompt)) {
        setWindowTitle(title);
        resize(495, 393);

        prompt_ = new QPlainTextEdit(prompt, this);
        prompt_->setObjectName(QStringLiteral("编辑框提示"));
        prompt_->setReadOnly(true);
        prompt_->setFrameShape(QFrame::NoFrame);
        prompt_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

        body_ = new QPlainTextEdit(body, this);
        body_->setObjectName(QStringLiteral("编辑框正文"));
        body_->setReadOnly(true);
        body_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        // A read-only box keeps the normal background rather than a greyed one.
        body_->setBackgroundRole(QPalette::Base);

        close_ = new QPushButton(QStringLiteral("关闭(&G)"), this);
        close_->setObjectName(QStringLiteral("按钮取消"));
        close_->setDefault(true);
        close_->setAutoDefault(true);
        connect(close_, &QPushButton::clicked, this, &QDialog::reject);

        centreOnScreen();
        body_->setFocus();
        placeControls();
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QDialog::resizeEvent(event);
        placeControls();
    }

private:
    void placeControls() {
        const TextWindowGeometry geometry =
            layoutTextWindow(size(), gbkPrompt_, close_->sizeHint());
        prompt_->setGeometry(geometry.prompt);
        prompt_->setVisible(geometry.prompt.height() > 0);
        body_->setGeometry(geometry.body);
        close_->setGeometry(geometry.closeButton);
    }

    void centreOnScreen() {
        QScreen* screen =
            parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
        if (screen == nullptr) {
            return;
        }
        const QRect area = screen->geometry();
        const double left = area.width() / 2.0 - width() / 2.0;
        const double top = (area.height() - kTaskBarHeight) / 2.0 - height() / 2.0;
        move(area.left() + static_cast<int>(left), area.top() + static_cast<int>(top));
    }

    std::string gbkPrompt_;
    QPlainTextEdit* prompt_ = nullptr;
    QPlainTextEdit* body_ = nullptr;
    QPushButton* close_ = nullptr;
};

// The one text window that may exist at a time.
QPointer<TextWindow>& openTextWindow() {
    static QPointer<TextWindow> window;
    return window;
}

}  // namespace

int promptBoxHeight(std::string_view gbkPrompt, int boxWidth) {
    const long long perLine = std::max(1, boxWidth / kPixelsPerCharacter);
    long long lines = 0;
    for (const std::string& piece : splitText(gbkPrompt, "\r\n")) {
        const long long bytes = static_cast<long long>(piece.size());
        lines += std::max(1LL, (bytes + perLine - 1) / perLine);
    }
    return static_cast<int>(std::min<long long>(lines * kPixelsPerLine, 1 << 20));
}

TextWindowGeometry layoutTextWindow(QSize client, std::string_view gbkPrompt, QSize closeButton) {
    TextWindowGeometry geometry;
    const int width = std::max(0, client.width() - 2 * kMargin);
    geometry.prompt = QRect(kMargin, kMargin, width, promptBoxHeight(gbkPrompt, width));
    const int bodyTop = geometry.prompt.top() + geometry.prompt.height() + kMargin;
    geometry.body =
        QRect(kMargin, bodyTop, width, std::max(0, client.height() - bodyTop - kButtonBand));
    const int bandTop = bodyTop + geometry.body.height();
    geometry.closeButton = QRect(client.width() - kMargin - closeButton.width(),
                                 bandTop + (kButtonBand - closeButton.height()) / 2,
                                 closeButton.width(), closeButton.height());
    return geometry;
}

void showTextWindow(const QString& title, const QString& body, QWidget* owner) {
    QPointer<TextWindow>& open = openTextWindow();
    if (!open.isNull()) {
        return;
    }
    TextWindow window(QStringLiteral("信息：") + title, QString(), body, owner);
    window.setObjectName(QStringLiteral("文本窗口"));
    open = &window;
    window.exec();
    open = nullptr;
}

void showNotesWindow(QWidget* owner) {
    showTextWindow(QStringLiteral("疑点说明"),
                   toQString(notesHelpText(SiteConfig::fromEnvironment())), owner);
}

}  // namespace rankminer
