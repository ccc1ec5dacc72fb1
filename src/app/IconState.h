#pragma once

// What the tray icon shows of dictation.
enum class IconState { idle, recording, busy };
