#pragma once
// The handlers of the program's start and end.

// MainWindow's created handler: disables 按钮2 until a warranty-result address is
// known and starts the identification worker. Returns at once.
void OnMainWindowCreated();

// Body of the identification worker: identifies the machine once and ends.
void IdentifyThreadEntry();

// The exit routine: releases the four global texts.
void ReleaseGlobals();
