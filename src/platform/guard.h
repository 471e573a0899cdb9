#pragma once

#include <QWidget>
#include <functional>

// Every handler reached from the event loop runs through guard(): an error is shown
// in the default error box and the program goes on. Exceptions must never unwind
// through Qt's own code, so slots wrap their body in this.
namespace Guard {

// Runs fn; returns true when it completed without an error.
bool run(const std::function<void()> &fn, QWidget *parent = nullptr);

} // namespace Guard
