#include "tests/support/RecordingSurface.h"

namespace varnholt::test {
namespace {

std::string Join(std::initializer_list<long long> numbers) {
    std::string text;
    for (const long long n : numbers) {
        text += ' ' + std::to_string(n);
    }
    return text;
}

}  // namespace

PenHandle RecordingSurface::CreatePen(int style, int width, ColorRef color) {
    const PenHandle pen = refusePens_ ? 0 : ForwardingSurface::CreatePen(style, width, color);
    log_.push_back("CreatePen" + Join({style, width, color}) + " ->" + Join({pen}));
    return pen;
}

PenHandle RecordingSurface::SelectObject(PenHandle pen) {
    const PenHandle previous = ForwardingSurface::SelectObject(pen);
    log_.push_back("SelectObject" + Join({pen}) + " ->" + Join({previous}));
    return previous;
}

bool RecordingSurface::DeleteObject(PenHandle pen) {
    const bool deleted = ForwardingSurface::DeleteObject(pen);
    log_.push_back("DeleteObject" + Join({pen}) + " ->" + Join({deleted}));
    return deleted;
}

bool RecordingSurface::Rectangle(int left, int top, int right, int bottom) {
    log_.push_back("Rectangle" + Join({left, top, right, bottom}));
    return ForwardingSurface::Rectangle(left, top, right, bottom);
}

ColorRef RecordingSurface::SetTextColor(ColorRef color) {
    log_.push_back("SetTextColor" + Join({color}));
    return ForwardingSurface::SetTextColor(color);
}

bool RecordingSurface::TextOutA(int x, int y, std::string_view text, int count) {
    log_.push_back("TextOutA" + Join({x, y}) + " " + std::string(text) + Join({count}));
    return ForwardingSurface::TextOutA(x, y, text, count);
}

std::int32_t RecordingSurface::OleTranslateColor(OleColor color, std::uintptr_t palette,
                                                 ColorRef* result) {
    log_.push_back("OleTranslateColor" + Join({color}));
    return ForwardingSurface::OleTranslateColor(color, palette, result);
}

}  // namespace varnholt::test
