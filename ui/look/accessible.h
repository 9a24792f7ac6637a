// SPDX-License-Identifier: MIT
// What a screen reader reads of the shared widgets: a ReadLabel as its text, named after
// its frame, and an Alert as an alert.
#pragma once

#include <QAccessible>

namespace numora::look {

// Installs `factory` the first time it is given; later calls with it do nothing. Each
// module that makes interfaces for its widgets installs its factory so.
void installfactory(QAccessible::InterfaceFactory factory);

// Makes the shared widgets' interfaces. Every window that holds them calls it before it
// builds them: Qt keeps the first interface made for a widget. Calling it again does
// nothing.
void installaccessible();

}  // namespace numora::look
