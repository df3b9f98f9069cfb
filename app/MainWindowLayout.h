#pragma once
// MainWindow: its title, size, the twelve controls at their places, and the handlers
// bound to its events.

#include "platform/Window.h"

platform::WindowLayout MainWindowLayout();
platform::WindowHandlers MainWindowHandlers();

// The clicked event of every button, dispatched by the button's name.
void OnButtonClicked(platform::Control button);
