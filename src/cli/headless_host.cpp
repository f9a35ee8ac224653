#include "cli/headless_host.h"

#include <cstdio>

#include "cli/terminal.h"
#include "platform/message_pump.h"
#include "text/gbk.h"

namespace rankminer {

namespace {
template <typename Map, typename Value>
Value lookup(const Map& map, std::string_view name, Value fallback) {
    const auto it = map.find(name);
    return it == map.end() ? fallback : it->second;
}

void printLine(std::string_view gbkText) {
    const std::string text = gbkToUtf8(gbkText);
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
}
}  // namespace

HeadlessHost::HeadlessHost() {
    onStatus = [](std::string_view text) { printLine(text); };
    onMessage = [](std::string_view text, std::string_view /*title*/) { printLine(text); };
    askOkCancel = [](std::string_view text) {
        if (!isTerminal(stdin)) {
            printLine(std::string(text) + " -> Cancel (no terminal to ask)");
            return MessageAnswer::Cancel;
        }
        return askOkOnTerminal(gbkToUtf8(text)) ? MessageAnswer::Ok : MessageAnswer::Cancel;
    };
}

HeadlessHost::~HeadlessHost() {
    if (pumpInstalled_) {
        installMessagePump({});
    }
}

void HeadlessHost::setText(std::string_view name, std::string_view text) {
    texts_[std::string(name)] = std::string(text);
}

void HeadlessHost::setChecked(std::string_view name, bool checked) {
    checks_[std::string(name)] = checked;
}

void HeadlessHost::setIndex(std::string_view name, int index) {
    indexes_[std::string(name)] = index;
}

void HeadlessHost::setTag(std::string_view name, std::string_view text) {
    tags_[std::string(name)] = std::string(text);
}

void HeadlessHost::installInterruptPump(std::function<void()> onInterrupt,
                                        std::function<void()> onDispatch) {
    pumpInstalled_ = true;
    installMessagePump([onInterrupt = std::move(onInterrupt), onDispatch = std::move(onDispatch)] {
        if (takeInterruptRequest() && onInterrupt) {
            onInterrupt();
        }
        if (onDispatch) {
            onDispatch();
        }
    });
}

std::string HeadlessHost::controlText(std::string_view name) {
    return lookup(texts_, name, std::string());
}

void HeadlessHost::setControlText(std::string_view name, std::string_view text) {
    setText(name, text);
}

void HeadlessHost::appendControlText(std::string_view name, std::string_view text) {
    texts_[std::string(name)] += text;
    if (onAppend) {
        onAppend(name, text);
    }
}

bool HeadlessHost::isChecked(std::string_view name) {
    return lookup(checks_, name, false);
}

int HeadlessHost::selectedIndex(std::string_view name) {
    return lookup(indexes_, name, -1);
}

std::string HeadlessHost::tagText(std::string_view name) {
    return lookup(tags_, name, std::string());
}

void HeadlessHost::setTagText(std::string_view name, std::string_view text) {
    setTag(name, text);
}

std::string HeadlessHost::caption(std::string_view name) {
    return lookup(captions_, name, std::string());
}

void HeadlessHost::setCaption(std::string_view name, std::string_view text) {
    captions_[std::string(name)] = std::string(text);
}

void HeadlessHost::setStatusText(std::string_view text) {
    if (onStatus) {
        onStatus(text);
    }
}

void HeadlessHost::selectTabPage(int /*page*/) {}

void HeadlessHost::setBrowserAddress(std::string_view url) {
    browserAddress_ = std::string(url);
}

MessageAnswer HeadlessHost::messageBox(std::string_view text, MessageButtons buttons,
                                       MessageIcon /*icon*/, std::string_view title) {
    if (buttons == MessageButtons::OkCancel) {
        return askOkCancel ? askOkCancel(text) : MessageAnswer::Cancel;
    }
    if (onMessage) {
        onMessage(text, title);
    }
    return MessageAnswer::Ok;
}

void HeadlessHost::beep() {
    ++beeps_;
    if (isTerminal(stderr)) {
        std::fputc('\a', stderr);
        std::fflush(stderr);
    }
}

}  // namespace rankminer
