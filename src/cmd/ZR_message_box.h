#pragma once

/// Receives message boxes instead of the screen: tests capture them, and a modal box never hangs a run.
typedef void (*ZR_message_sink)(const char* text, const char* caption);

/// Installs a sink (null restores the real box); returns the previous one.
ZR_message_sink ZR_set_message_sink(ZR_message_sink sink);

/// Shows a modal box with an OK button and no owner, or hands it to the installed sink.
/// [any thread] Blocks until the user closes it.
void ZR_message_box(const char* text, const char* caption);
