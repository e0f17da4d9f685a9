// Collects the debug output while it is alive.
#pragma once

#include <string>

class ReportCapture {
public:
    ReportCapture();
    ~ReportCapture();
    ReportCapture(const ReportCapture&) = delete;
    ReportCapture& operator=(const ReportCapture&) = delete;

    const std::string& text() const { return text_; }
    void clear() { text_.clear(); }
    bool contains(const std::string& needle) const { return text_.find(needle) != std::string::npos; }

private:
    static void Append(const char* text, void* context);
    std::string text_;
};
