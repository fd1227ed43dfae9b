#include "widgets/resources.h"

#include <utility>

namespace widgets {

namespace {
// Touched only from the UI thread, like the widgets that use them.
IconResolver& TheIconResolver() {
    static IconResolver resolver;
    return resolver;
}

CursorResolver& TheCursorResolver() {
    static CursorResolver resolver;
    return resolver;
}
}  // namespace

void SetIconResolver(IconResolver resolver) { TheIconResolver() = std::move(resolver); }

void SetCursorResolver(CursorResolver resolver) { TheCursorResolver() = std::move(resolver); }

QIcon LoadIconResource(int id) {
    const IconResolver& resolver = TheIconResolver();
    return resolver ? resolver(id) : QIcon();
}

std::optional<QCursor> LoadCursorResource(int id) {
    const CursorResolver& resolver = TheCursorResolver();
    return resolver ? resolver(id) : std::nullopt;
}

}  // namespace widgets
