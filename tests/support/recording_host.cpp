#include "support/recording_host.h"

#include "platform/message_pump.h"
#include "text/gbk.h"

namespace rankminer::testing {

RecordingHost::~RecordingHost() {
    removePumpHook();
}

void RecordingHost::installPumpHook(std::function<void()> hook) {
    hook_ = std::move(hook);
    hookInstalled_ = true;
    installMessagePump([this] {
        ++pumps;
        if (hook_) {
            // A copy: the hook may replace itself.
            std::function<void()> hook = hook_;
            hook();
        }
    });
}

void RecordingHost::removePumpHook() {
    if (hookInstalled_) {
        installMessagePump({});
        hookInstalled_ = false;
    }
    hook_ = nullptr;
}

std::vector<std::string> RecordingHost::statusTextsUtf8() const {
    std::vector<std::string> out;
    out.reserve(statusTexts.size());
    for (const auto& text : statusTexts) {
        out.push_back(gbkToUtf8(text));
    }
    return out;
}

int RecordingHost::messageCount(std::string_view text) const {
    int count = 0;
    for (const auto& message : messages) {
        count += message.text == text ? 1 : 0;
    }
    return count;
}

std::string RecordingHost::controlText(std::string_view name) {
    const auto it = texts.find(name);
    return it == texts.end() ? std::string() : it->second;
}

void RecordingHost::setControlText(std::string_view name, std::string_view text) {
    texts[std::string(name)] = std::string(text);
}

void RecordingHost::appendControlText(std::string_view name, std::string_view text) {
    texts[std::string(name)] += text;
}

bool RecordingHost::isChecked(std::string_view name) {
    const auto it = checks.find(name);
    return it != checks.end() && it->second;
}

int RecordingHost::selectedIndex(std::string_view name) {
    const auto it = indexes.find(name);
    return it == indexes.end() ? -1 : it->second;
}

std::string RecordingHost::tagText(std::string_view name) {
    const auto it = tags.find(name);
    return it == tags.end() ? std::string() : it->second;
}

void RecordingHost::setTagText(std::string_view name, std::string_view text) {
    tags[std::string(name)] = std::string(text);
}

std::string RecordingHost::caption(std::string_view name) {
    const auto it = captions.find(name);
    return it == captions.end() ? std::string() : it->second;
}

void RecordingHost::setCaption(std::string_view name, std::string_view text) {
    captions[std::string(name)] = std::string(text);
    captionChanges.push_back(std::string(name) + "=" + std::string(text));
}

void RecordingHost::setStatusText(std::string_view text) {
    statusTexts.emplace_back(text);
}

void RecordingHost::selectTabPage(int page) {
    tabPages.push_back(page);
}

void RecordingHost::setBrowserAddress(std::string_view url) {
    browserAddresses.emplace_back(url);
}

MessageAnswer RecordingHost::messageBox(std::string_view text, MessageButtons buttons,
                                        MessageIcon icon, std::string_view title) {
    RecordedMessage message{std::string(text), buttons, icon, std::string(title),
                            MessageAnswer::Ok};
    if (buttons == MessageButtons::OkCancel) {
        if (!scriptedAnswers.empty()) {
            message.answer = scriptedAnswers.front();
            scriptedAnswers.pop_front();
        } else {
            message.answer = defaultAnswer;
        }
    }
    messages.push_back(message);
    if (onMessage) {
        onMessage(message);
    }
    return message.answer;
}

}  // namespace rankminer::testing
