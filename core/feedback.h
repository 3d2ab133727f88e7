#pragma once
// What an export run may say to the user: progress, message boxes, the
// script listener. The host implements it; batch runs put a log in front.

#include <string>

namespace korvo {

enum class MessageStyle { Error, Information };

struct LocalTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

class Feedback {
public:
    virtual ~Feedback() = default;

    virtual void ProgressStart(const std::string& title) = 0;
    virtual void ProgressUpdate(int percent, bool show_percent, const std::string& text) = 0;
    virtual void ProgressEnd() = 0;
    virtual bool CancelRequested() = 0;
    virtual void ClearCancel() = 0;

    virtual void MessageBox(const std::string& text, const std::string& caption, MessageStyle style) = 0;

    virtual void ListenerPrint(const std::string& text) = 0;
    virtual void ListenerShow() = 0;

    virtual LocalTime Now() const = 0;
};

}  // namespace korvo
