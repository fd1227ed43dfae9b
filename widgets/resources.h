// How the buttons find their icons and cursors by resource id without knowing
// the application: the application installs resolvers at start-up, tests
// install their own. Without a resolver every id is unknown.
#pragma once

#include <QCursor>
#include <QIcon>
#include <functional>
#include <optional>

namespace widgets {

// A null QIcon means: no icon with that id.
using IconResolver = std::function<QIcon(int id)>;
// nullopt means: no cursor with that id.
using CursorResolver = std::function<std::optional<QCursor>(int id)>;

// Replaces the resolver (an empty function removes it).
void SetIconResolver(IconResolver resolver);
void SetCursorResolver(CursorResolver resolver);

QIcon LoadIconResource(int id);
std::optional<QCursor> LoadCursorResource(int id);

}  // namespace widgets
