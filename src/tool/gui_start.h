// The commands that paint (render, print) need fonts, and fonts need a GUI
// application; the tool never has a display, so it runs on Qt's offscreen
// platform unless the caller chose another.
#pragma once

#include <QGuiApplication>
#include <memory>

namespace lineara::tool {

// Null when an application already exists (the tests' own).
std::unique_ptr<QGuiApplication> startGui();

}  // namespace lineara::tool
