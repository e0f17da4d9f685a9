#include "tests/support/ReportCapture.h"

#include "console/system.h"

ReportCapture::ReportCapture() {
    HostSetReportSink(Append, this);
}

ReportCapture::~ReportCapture() {
    HostSetReportSink(nullptr, nullptr);
}

void ReportCapture::Append(const char* text, void* context) {
    static_cast<ReportCapture*>(context)->text_ += text;
}
