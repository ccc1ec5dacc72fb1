<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" sourcelanguage="en">
<context>
    <name>Alert</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App</name>
    <message>
        <source>Shortcut %1 is taken — pick another</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CallAudio</name>
    <message numerus="yes">
        <source>Audio kept %n days</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Audio deleted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audio kept forever</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audio kept until written up</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CallMiniView</name>
    <message>
        <source>Recording. Click to open, drag to move.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finishing transcript…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CallPromptView</name>
    <message>
        <source>Record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recording %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 call starting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop from the menu bar icon or the Calls tab.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Want notes? Let the others know first.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CallSavedCard</name>
    <message>
        <source>CALL SAVED</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speakers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Words</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open notes →</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CallStrip</name>
    <message>
        <source>Shrink to a small button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the transcript</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finishing transcript…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide the live transcript</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the live transcript</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CallStripText</name>
    <message>
        <source>listening…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Listening for speech…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only your side is being heard. Computer audio can&apos;t be captured right now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speech engine isn&apos;t responding. The audio is saved, so you can transcribe it again after the call.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speech engine isn&apos;t responding. Trying to restart it…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CallsPage</name>
    <message>
        <source>No calls yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press Record a call, or join a Zoom, Meet, Teams or WhatsApp call and Voxmere will offer to listen in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calls</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recorded and written up on this computer. Nothing is uploaded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop · %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finishing transcript…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record a call</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandLineModes</name>
    <message>
        <source>Voxmere is already running; quit it first</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DictationFinisher</name>
    <message>
        <source>Engine not ready — try again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Part of this dictation was lost — the engine did not answer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EmptyHistoryPanel</name>
    <message>
        <source>Nothing yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in any app and start talking. Your snippets show up here.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EngineStatus</name>
    <message>
        <source>Downloading speech model… %1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>574 MB, once. Then everything runs on this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t download the speech model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bytes Voxmere has sent to anything outside this computer. The speech model download only receives.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whisper turbo · on this computer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Engine starting…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uploaded, ever: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HistoryGroups</name>
    <message>
        <source>Today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HistoryPage</name>
    <message>
        <source>History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search snippets</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n snippets</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n words</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Delete all %n snippets?</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>This can&apos;t be undone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete all</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HomePage</name>
    <message>
        <source>Dictate anywhere</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Talk into any text box. It never leaves this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No tray here: this window is the way in, and closing it keeps Voxmere running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voxmere can&apos;t paste yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pasting needs an X11 session (or a key injector on Wayland).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>to talk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Words today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Snippets today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time saved vs typing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press once to start, press again to stop and paste.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release to paste.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release to paste. Tap once to go hands-free, tap again to stop.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Or press %1 to start and stop without holding.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HotkeyRecorder</name>
    <message>
        <source>Remove this key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press a key…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+  Set a key</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Installer</name>
    <message>
        <source>can&apos;t create %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>can&apos;t link %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the earlier copy in %1 could not be moved to the trash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>could not put the copy in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Voxmere to Applications?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voxmere is running from the installer disk. Move it to the Applications folder so it keeps working after the disk is ejected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move to Applications</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t move Voxmere</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag Voxmere onto the Applications folder in the installer window instead.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>About Voxmere</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dictation and call notes, on this computer.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MeetingDetail</name>
    <message numerus="yes">
        <source>%n speaker</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n speakers</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n lines</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>All calls</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy transcript</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find the speakers on the other side again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transcribe again from the saved audio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop · %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finishing transcript…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uploaded: nothing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Editing is paused until this finishes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finding who&apos;s speaking on the other side…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Splitting lines where two people talk without a pause…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transcribing again… %1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The speech engine isn&apos;t responding, so some lines are missing. Voxmere is restarting it. The audio is still being saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voxmere can&apos;t hear the computer&apos;s audio, so only your side is being captured. Check that the sound server is running, then record again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Listening… text appears a few seconds after someone starts talking.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was said in this recording.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete this transcript?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This can&apos;t be undone.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MeetingDialogs</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changes every line by %1 in this call. Use a name another speaker already has to merge the two.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit what %1 said</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transcribe this call again?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voxmere will go through the saved audio and replace the current transcript. A one-hour call takes a few minutes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transcribe again</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MeetingLineRow</name>
    <message>
        <source>Edit text…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete line</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MeetingRow</name>
    <message numerus="yes">
        <source>%n words</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Recording now</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Net</name>
    <message>
        <source>0 bytes</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Overlay</name>
    <message>
        <source>Drag me anywhere</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OverlayView</name>
    <message>
        <source>Transcribing…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Polishing…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PulseMicCapture</name>
    <message>
        <source>Microphone</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ResultCard</name>
    <message>
        <source>Allow in Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+V to paste anywhere · Esc to close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voxmere isn&apos;t allowed to paste yet · copied to clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No text field found · tried to paste · copied to clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Retranscriber</name>
    <message>
        <source>Couldn&apos;t transcribe the call again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No speech was found in the saved audio.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The speech engine didn&apos;t respond for part of the call.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The transcript was left as it was.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsPage</name>
    <message>
        <source>Hold or tap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press to start / stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hold only</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>When you name someone, Voxmere learns their voice and suggests their name in later calls (shown with a ?). Voiceprints stay on this computer. %n voices learned.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shortcut, cleanup and privacy.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hold to talk and release to stop, or tap quickly to go hands-free.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Records only while the key is held down.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press once to start, press again to stop. No holding.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dictation key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click, then press one key (like Right ⌥ or fn) or a combo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hands-free key (optional)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A second key that never needs holding: press once to start, press again to stop and paste.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How the dictation key works</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cleanup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove filler words</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AI polish</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fixes spelling, grammar and false starts with a local language model. Free, offline.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Needs a local language model.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto-detect is slightly slower</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>English</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto-detect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Light</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dark</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show in taskbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off = tray only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show waveform while recording</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag it anywhere on screen; it remembers the spot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microphone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System default follows the input chosen in your sound settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep microphone ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some mics (USB webcams, Bluetooth) take about 1s to wake. Keeping it ready makes recording start instantly. Only the last 0.3s is held in memory until you press the key.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Always</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5 min after use</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A soft tick when recording starts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calls</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offer to record calls</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows a prompt when Zoom, Meet, Teams, WhatsApp, FaceTime, Slack or Discord starts using the microphone. Nothing is recorded until you press Record.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Floating call strip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>While a call is recorded, a small strip shows the timer, who is being heard and the latest line. Drag it anywhere.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove speaker echo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When you&apos;re on speakers, stops the other side showing up again as your words. Turn it off if your own words go missing while someone else is talking.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep call audio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved on this computer, one file for you and one for the other side, about 30 MB per hour of call. Lets you transcribe a call again if something went wrong.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Until transcribed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forever</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tell speakers apart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>After a call, labels the people on the other side Speaker 1, Speaker 2 and so on. Click a name in the transcript to rename them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recognise voices</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forget voices</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forget every learned voice?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Names stay in the list. Voxmere stops recognising anyone until you name them again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forget</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved only on this computer, in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Voxmere</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved mic (not connected)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Sidebar</name>
    <message>
        <source>Dictation and call notes</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SnippetRow</name>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SpeakerChips</name>
    <message>
        <source>Guessed from their voice. Click to confirm or change it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename %1 everywhere in this call</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SpeakerFinder</name>
    <message>
        <source>Find the speakers again?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you know how many people were on the other side, pick the number. It&apos;s more accurate than letting Voxmere guess. Speakers are numbered again, and people whose voices Voxmere has learned get their names back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Let Voxmere decide</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n people</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Find speakers</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SpeakerMenu</name>
    <message>
        <source>Change who said this, or rename %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Who said this line?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New speaker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes, this is %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename %1 everywhere…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit text…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete line</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SpeakerName</name>
    <message>
        <source>You</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speaker %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SystemAudioTap</name>
    <message>
        <source>Call audio</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tab</name>
    <message>
        <source>Home</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calls</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vocabulary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TalkingRows</name>
    <message>
        <source>listening</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tray</name>
    <message>
        <source>Hold or tap %1 to dictate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press %1 to start / stop hands-free</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Voxmere</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop recording call</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record a call</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset overlay position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restart engine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit Voxmere</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to copy</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VocabRow</name>
    <message>
        <source>e.g. GitHub</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. neos, nee oh s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VocabularyPage</name>
    <message>
        <source>WORD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SOUNDS LIKE  ·  comma-separated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add word</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tip: say a word a few times and check History to see how Voxmere hears it, then add that here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vocabulary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Names and terms you say often. Voxmere primes the speech model with them, then swaps anything that sounds like them for the right spelling.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
