<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>Alert</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>App</name>
    <message>
        <source>Shortcut %1 is taken — pick another</source>
        <translation>Tastenkürzel %1 ist belegt – bitte ein anderes wählen</translation>
    </message>
</context>
<context>
    <name>CallAudio</name>
    <message numerus="yes">
        <source>Audio kept %n days</source>
        <translation>
            <numerusform>Audio %n Tag aufbewahrt</numerusform>
            <numerusform>Audio %n Tage aufbewahrt</numerusform>
        </translation>
    </message>
    <message>
        <source>Audio deleted</source>
        <translation>Audio gelöscht</translation>
    </message>
    <message>
        <source>Audio kept forever</source>
        <translation>Audio dauerhaft aufbewahrt</translation>
    </message>
    <message>
        <source>Audio kept until written up</source>
        <translation>Audio bis zur Mitschrift aufbewahrt</translation>
    </message>
</context>
<context>
    <name>CallMiniView</name>
    <message>
        <source>Recording. Click to open, drag to move.</source>
        <translation>Aufnahme läuft. Klicken zum Öffnen, ziehen zum Verschieben.</translation>
    </message>
    <message>
        <source>Finishing transcript…</source>
        <translation>Mitschrift wird erstellt…</translation>
    </message>
</context>
<context>
    <name>CallPromptView</name>
    <message>
        <source>Record</source>
        <translation>Aufnehmen</translation>
    </message>
    <message>
        <source>Not now</source>
        <translation>Nicht jetzt</translation>
    </message>
    <message>
        <source>Recording %1</source>
        <translation>%1 wird aufgenommen</translation>
    </message>
    <message>
        <source>%1 call starting</source>
        <translation>Anruf in %1 beginnt</translation>
    </message>
    <message>
        <source>Stop from the menu bar icon or the Calls tab.</source>
        <translation>Beenden per Leistensymbol oder „Anrufe“.</translation>
    </message>
    <message>
        <source>Want notes? Let the others know first.</source>
        <translation>Notizen? Sagen Sie es zuerst den anderen.</translation>
    </message>
</context>
<context>
    <name>CallSavedCard</name>
    <message>
        <source>CALL SAVED</source>
        <translation>ANRUF GESPEICHERT</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Speakers</source>
        <translation>Sprecher</translation>
    </message>
    <message>
        <source>Words</source>
        <translation>Wörter</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Hochgeladen</translation>
    </message>
    <message>
        <source>0 bytes</source>
        <translation>0 Byte</translation>
    </message>
    <message>
        <source>Open notes →</source>
        <translation>Notizen öffnen →</translation>
    </message>
</context>
<context>
    <name>CallStrip</name>
    <message>
        <source>Shrink to a small button</source>
        <translation>Zu einem kleinen Knopf verkleinern</translation>
    </message>
    <message>
        <source>Open the transcript</source>
        <translation>Mitschrift öffnen</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Aufnahme beenden</translation>
    </message>
    <message>
        <source>Finishing transcript…</source>
        <translation>Mitschrift wird erstellt…</translation>
    </message>
    <message>
        <source>Hide the live transcript</source>
        <translation>Live-Mitschrift ausblenden</translation>
    </message>
    <message>
        <source>Show the live transcript</source>
        <translation>Live-Mitschrift einblenden</translation>
    </message>
</context>
<context>
    <name>CallStripText</name>
    <message>
        <source>listening…</source>
        <translation>hört zu…</translation>
    </message>
    <message>
        <source>Listening for speech…</source>
        <translation>Wartet auf Sprache…</translation>
    </message>
    <message>
        <source>Only your side is being heard. Computer audio can&apos;t be captured right now.</source>
        <translation>Nur Ihre Seite ist zu hören. Der Ton des Computers lässt sich gerade nicht aufnehmen.</translation>
    </message>
    <message>
        <source>Speech engine isn&apos;t responding. The audio is saved, so you can transcribe it again after the call.</source>
        <translation>Spracherkennung antwortet nicht. Das Audio wird gespeichert, Sie können es nach dem Anruf neu transkribieren.</translation>
    </message>
    <message>
        <source>Speech engine isn&apos;t responding. Trying to restart it…</source>
        <translation>Spracherkennung antwortet nicht. Sie wird neu gestartet…</translation>
    </message>
</context>
<context>
    <name>CallsPage</name>
    <message>
        <source>No calls yet</source>
        <translation>Noch keine Anrufe</translation>
    </message>
    <message>
        <source>Press Record a call, or join a Zoom, Meet, Teams or WhatsApp call and Voxmere will offer to listen in.</source>
        <translation>Klicken Sie auf „Anruf aufnehmen“ oder nehmen Sie an einem Zoom-, Meet-, Teams- oder WhatsApp-Anruf teil, dann bietet Voxmere an mitzuhören.</translation>
    </message>
    <message>
        <source>Calls</source>
        <translation>Anrufe</translation>
    </message>
    <message>
        <source>Recorded and written up on this computer. Nothing is uploaded.</source>
        <translation>Lokal aufgenommen und mitgeschrieben. Nichts wird hochgeladen.</translation>
    </message>
    <message>
        <source>Stop · %1</source>
        <translation>Beenden · %1</translation>
    </message>
    <message>
        <source>Finishing transcript…</source>
        <translation>Mitschrift wird erstellt…</translation>
    </message>
    <message>
        <source>Record a call</source>
        <translation>Anruf aufnehmen</translation>
    </message>
</context>
<context>
    <name>CommandLineModes</name>
    <message>
        <source>Voxmere is already running; quit it first</source>
        <translation>Voxmere läuft bereits; beenden Sie es zuerst</translation>
    </message>
</context>
<context>
    <name>DictationFinisher</name>
    <message>
        <source>Engine not ready — try again</source>
        <translation>Spracherkennung nicht bereit – bitte erneut versuchen</translation>
    </message>
    <message>
        <source>Part of this dictation was lost — the engine did not answer</source>
        <translation>Ein Teil des Diktats fehlt – die Spracherkennung hat nicht geantwortet</translation>
    </message>
</context>
<context>
    <name>EmptyHistoryPanel</name>
    <message>
        <source>Nothing yet</source>
        <translation>Noch nichts</translation>
    </message>
    <message>
        <source>Hold</source>
        <translation>Halten Sie</translation>
    </message>
    <message>
        <source>in any app and start talking. Your snippets show up here.</source>
        <translation>und sprechen Sie los. Ihre Diktate erscheinen hier.</translation>
    </message>
</context>
<context>
    <name>EngineStatus</name>
    <message>
        <source>Downloading speech model… %1%</source>
        <translation>Sprachmodell wird geladen… %1%</translation>
    </message>
    <message>
        <source>574 MB, once. Then everything runs on this computer.</source>
        <translation>574 MB, einmalig. Danach läuft alles auf diesem Computer.</translation>
    </message>
    <message>
        <source>Couldn&apos;t download the speech model</source>
        <translation>Das Sprachmodell konnte nicht geladen werden</translation>
    </message>
    <message>
        <source>Try again</source>
        <translation>Erneut versuchen</translation>
    </message>
    <message>
        <source>Bytes Voxmere has sent to anything outside this computer. The speech model download only receives.</source>
        <translation>Bytes, die Voxmere an irgendetwas außerhalb dieses Computers gesendet hat. Der Download des Sprachmodells empfängt nur.</translation>
    </message>
    <message>
        <source>Whisper turbo · on this computer</source>
        <translation>Whisper turbo · auf diesem Computer</translation>
    </message>
    <message>
        <source>Engine starting…</source>
        <translation>Spracherkennung startet…</translation>
    </message>
    <message>
        <source>Uploaded, ever: %1</source>
        <translation>Bisher hochgeladen: %1</translation>
    </message>
</context>
<context>
    <name>HistoryGroups</name>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>Gestern</translation>
    </message>
</context>
<context>
    <name>HistoryPage</name>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Clear all</source>
        <translation>Alle löschen</translation>
    </message>
    <message>
        <source>Search snippets</source>
        <translation>Diktate durchsuchen</translation>
    </message>
    <message numerus="yes">
        <source>%n snippets</source>
        <translation>
            <numerusform>%n Diktat</numerusform>
            <numerusform>%n Diktate</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n words</source>
        <translation>
            <numerusform>%n Wort</numerusform>
            <numerusform>%n Wörter</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Delete all %n snippets?</source>
        <translation>
            <numerusform>%n Diktat löschen?</numerusform>
            <numerusform>Alle %n Diktate löschen?</numerusform>
        </translation>
    </message>
    <message>
        <source>This can&apos;t be undone.</source>
        <translation>Das lässt sich nicht rückgängig machen.</translation>
    </message>
    <message>
        <source>Delete all</source>
        <translation>Alle löschen</translation>
    </message>
</context>
<context>
    <name>HomePage</name>
    <message>
        <source>Dictate anywhere</source>
        <translation>Überall diktieren</translation>
    </message>
    <message>
        <source>Talk into any text box. It never leaves this computer.</source>
        <translation>Sprechen Sie in jedes Textfeld. Nichts davon verlässt diesen Computer.</translation>
    </message>
    <message>
        <source>No tray here: this window is the way in, and closing it keeps Voxmere running.</source>
        <translation>Hier gibt es keine Systemleiste: Dieses Fenster ist der Zugang, und Voxmere läuft weiter, wenn Sie es schließen.</translation>
    </message>
    <message>
        <source>Voxmere can&apos;t paste yet</source>
        <translation>Voxmere kann noch nicht einfügen</translation>
    </message>
    <message>
        <source>Pasting needs an X11 session (or a key injector on Wayland).</source>
        <translation>Zum Einfügen ist eine X11-Sitzung nötig (unter Wayland ein Werkzeug, das Tasten sendet).</translation>
    </message>
    <message>
        <source>Open Settings</source>
        <translation>Einstellungen öffnen</translation>
    </message>
    <message>
        <source>to talk</source>
        <translation>zum Sprechen</translation>
    </message>
    <message>
        <source>Words today</source>
        <translation>Wörter heute</translation>
    </message>
    <message>
        <source>Snippets today</source>
        <translation>Diktate heute</translation>
    </message>
    <message>
        <source>Time saved vs typing</source>
        <translation>Ersparnis ggü. Tippen</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Zuletzt</translation>
    </message>
    <message>
        <source>View all</source>
        <translation>Alle anzeigen</translation>
    </message>
    <message>
        <source>Press</source>
        <translation>Drücken Sie</translation>
    </message>
    <message>
        <source>Hold</source>
        <translation>Halten Sie</translation>
    </message>
    <message>
        <source>Press once to start, press again to stop and paste.</source>
        <translation>Einmal drücken zum Starten, erneut drücken zum Beenden und Einfügen.</translation>
    </message>
    <message>
        <source>Release to paste.</source>
        <translation>Loslassen zum Einfügen.</translation>
    </message>
    <message>
        <source>Release to paste. Tap once to go hands-free, tap again to stop.</source>
        <translation>Loslassen zum Einfügen. Einmal tippen für freihändig, erneut tippen zum Beenden.</translation>
    </message>
    <message>
        <source>Or press %1 to start and stop without holding.</source>
        <translation>Oder drücken Sie %1, um ohne Halten zu starten und zu beenden.</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 Min.</translation>
    </message>
</context>
<context>
    <name>HotkeyRecorder</name>
    <message>
        <source>Remove this key</source>
        <translation>Diese Taste entfernen</translation>
    </message>
    <message>
        <source>Press a key…</source>
        <translation>Taste drücken…</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>+  Set a key</source>
        <translation>+  Taste festlegen</translation>
    </message>
</context>
<context>
    <name>Installer</name>
    <message>
        <source>can&apos;t create %1</source>
        <translation>%1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>can&apos;t link %1</source>
        <translation>%1 kann nicht verknüpft werden</translation>
    </message>
    <message>
        <source>the earlier copy in %1 could not be moved to the trash</source>
        <translation>die frühere Kopie in %1 konnte nicht in den Papierkorb verschoben werden</translation>
    </message>
    <message>
        <source>could not put the copy in %1</source>
        <translation>die Kopie konnte nicht nach %1 gelegt werden</translation>
    </message>
    <message>
        <source>Move Voxmere to Applications?</source>
        <translation>Voxmere zu den Programmen verschieben?</translation>
    </message>
    <message>
        <source>Voxmere is running from the installer disk. Move it to the Applications folder so it keeps working after the disk is ejected.</source>
        <translation>Voxmere läuft vom Installationsmedium. Verschieben Sie es in den Programmordner, damit es nach dem Auswerfen des Mediums weiter funktioniert.</translation>
    </message>
    <message>
        <source>Move to Applications</source>
        <translation>Zu den Programmen verschieben</translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation>Nicht jetzt</translation>
    </message>
    <message>
        <source>Couldn&apos;t move Voxmere</source>
        <translation>Voxmere konnte nicht verschoben werden</translation>
    </message>
    <message>
        <source>Drag Voxmere onto the Applications folder in the installer window instead.</source>
        <translation>Ziehen Sie Voxmere stattdessen im Installationsfenster auf den Programmordner.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>About Voxmere</source>
        <translation>Über Voxmere</translation>
    </message>
    <message>
        <source>Dictation and call notes, on this computer.</source>
        <translation>Diktat und Anrufnotizen, auf diesem Computer.</translation>
    </message>
</context>
<context>
    <name>MeetingDetail</name>
    <message numerus="yes">
        <source>%n speaker</source>
        <translation>
            <numerusform>%n Sprecher</numerusform>
            <numerusform>%n Sprecher</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n speakers</source>
        <translation>
            <numerusform>%n Sprecher</numerusform>
            <numerusform>%n Sprecher</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n lines</source>
        <translation>
            <numerusform>%n Zeile</numerusform>
            <numerusform>%n Zeilen</numerusform>
        </translation>
    </message>
    <message>
        <source>All calls</source>
        <translation>Alle Anrufe</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Copy transcript</source>
        <translation>Mitschrift kopieren</translation>
    </message>
    <message>
        <source>Show the files</source>
        <translation>Dateien anzeigen</translation>
    </message>
    <message>
        <source>Find the speakers on the other side again</source>
        <translation>Sprecher der Gegenseite erneut bestimmen</translation>
    </message>
    <message>
        <source>Transcribe again from the saved audio</source>
        <translation>Aus dem gespeicherten Audio neu transkribieren</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Stop · %1</source>
        <translation>Beenden · %1</translation>
    </message>
    <message>
        <source>Finishing transcript…</source>
        <translation>Mitschrift wird erstellt…</translation>
    </message>
    <message>
        <source>Uploaded: nothing</source>
        <translation>Hochgeladen: nichts</translation>
    </message>
    <message>
        <source>Editing is paused until this finishes.</source>
        <translation>Bearbeiten ist pausiert, bis dies abgeschlossen ist.</translation>
    </message>
    <message>
        <source>Finding who&apos;s speaking on the other side…</source>
        <translation>Sprecher der Gegenseite werden bestimmt…</translation>
    </message>
    <message>
        <source>Splitting lines where two people talk without a pause…</source>
        <translation>Zeilen werden geteilt, wo zwei Personen ohne Pause sprechen…</translation>
    </message>
    <message>
        <source>Transcribing again… %1%</source>
        <translation>Wird neu transkribiert… %1%</translation>
    </message>
    <message>
        <source>The speech engine isn&apos;t responding, so some lines are missing. Voxmere is restarting it. The audio is still being saved.</source>
        <translation>Die Spracherkennung antwortet nicht, daher fehlen einige Zeilen. Voxmere startet sie neu. Das Audio wird weiterhin gespeichert.</translation>
    </message>
    <message>
        <source>Voxmere can&apos;t hear the computer&apos;s audio, so only your side is being captured. Check that the sound server is running, then record again.</source>
        <translation>Voxmere hört den Ton des Computers nicht, daher wird nur Ihre Seite aufgenommen. Prüfen Sie, ob der Soundserver läuft, und nehmen Sie dann erneut auf.</translation>
    </message>
    <message>
        <source>Listening… text appears a few seconds after someone starts talking.</source>
        <translation>Hört zu… Text erscheint wenige Sekunden, nachdem jemand zu sprechen beginnt.</translation>
    </message>
    <message>
        <source>Nothing was said in this recording.</source>
        <translation>In dieser Aufnahme wurde nichts gesagt.</translation>
    </message>
    <message>
        <source>Delete this transcript?</source>
        <translation>Diese Mitschrift löschen?</translation>
    </message>
    <message>
        <source>This can&apos;t be undone.</source>
        <translation>Das lässt sich nicht rückgängig machen.</translation>
    </message>
</context>
<context>
    <name>MeetingDialogs</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Rename %1</source>
        <translation>%1 umbenennen</translation>
    </message>
    <message>
        <source>Changes every line by %1 in this call. Use a name another speaker already has to merge the two.</source>
        <translation>Ändert jede Zeile von %1 in diesem Anruf. Mit dem Namen eines anderen Sprechers werden beide zusammengeführt.</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Edit what %1 said</source>
        <translation>Bearbeiten, was %1 gesagt hat</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Transcribe this call again?</source>
        <translation>Diesen Anruf neu transkribieren?</translation>
    </message>
    <message>
        <source>Voxmere will go through the saved audio and replace the current transcript. A one-hour call takes a few minutes.</source>
        <translation>Voxmere geht das gespeicherte Audio durch und ersetzt die aktuelle Mitschrift. Ein einstündiger Anruf dauert einige Minuten.</translation>
    </message>
    <message>
        <source>Transcribe again</source>
        <translation>Neu transkribieren</translation>
    </message>
</context>
<context>
    <name>MeetingLineRow</name>
    <message>
        <source>Edit text…</source>
        <translation>Text bearbeiten…</translation>
    </message>
    <message>
        <source>Delete line</source>
        <translation>Zeile löschen</translation>
    </message>
</context>
<context>
    <name>MeetingRow</name>
    <message numerus="yes">
        <source>%n words</source>
        <translation>
            <numerusform>%n Wort</numerusform>
            <numerusform>%n Wörter</numerusform>
        </translation>
    </message>
    <message>
        <source>Recording now</source>
        <translation>Wird gerade aufgenommen</translation>
    </message>
</context>
<context>
    <name>Net</name>
    <message>
        <source>0 bytes</source>
        <translation>0 Byte</translation>
    </message>
</context>
<context>
    <name>Overlay</name>
    <message>
        <source>Drag me anywhere</source>
        <translation>Frei verschiebbar</translation>
    </message>
</context>
<context>
    <name>OverlayView</name>
    <message>
        <source>Transcribing…</source>
        <translation>Wird transkribiert…</translation>
    </message>
    <message>
        <source>Polishing…</source>
        <translation>Wird überarbeitet…</translation>
    </message>
</context>
<context>
    <name>PulseMicCapture</name>
    <message>
        <source>Microphone</source>
        <translation>Mikrofon</translation>
    </message>
</context>
<context>
    <name>ResultCard</name>
    <message>
        <source>Allow in Settings</source>
        <translation>In Einstellungen erlauben</translation>
    </message>
    <message>
        <source>Ctrl+V to paste anywhere · Esc to close</source>
        <translation>Strg+V fügt überall ein · Esc schließt</translation>
    </message>
    <message>
        <source>Voxmere isn&apos;t allowed to paste yet · copied to clipboard</source>
        <translation>Voxmere darf noch nicht einfügen · in Zwischenablage kopiert</translation>
    </message>
    <message>
        <source>No text field found · tried to paste · copied to clipboard</source>
        <translation>Kein Textfeld · Einfügen versucht · in Zwischenablage kopiert</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Kopiert</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
</context>
<context>
    <name>Retranscriber</name>
    <message>
        <source>Couldn&apos;t transcribe the call again</source>
        <translation>Der Anruf konnte nicht neu transkribiert werden</translation>
    </message>
    <message>
        <source>No speech was found in the saved audio.</source>
        <translation>Im gespeicherten Audio wurde keine Sprache gefunden.</translation>
    </message>
    <message>
        <source>The speech engine didn&apos;t respond for part of the call.</source>
        <translation>Die Spracherkennung hat für einen Teil des Anrufs nicht geantwortet.</translation>
    </message>
    <message>
        <source>The transcript was left as it was.</source>
        <translation>Die Mitschrift bleibt unverändert.</translation>
    </message>
</context>
<context>
    <name>SettingsPage</name>
    <message>
        <source>Hold or tap</source>
        <translation>Halten oder tippen</translation>
    </message>
    <message>
        <source>Press to start / stop</source>
        <translation>Start / Stopp</translation>
    </message>
    <message>
        <source>Hold only</source>
        <translation>Nur halten</translation>
    </message>
    <message numerus="yes">
        <source>When you name someone, Voxmere learns their voice and suggests their name in later calls (shown with a ?). Voiceprints stay on this computer. %n voices learned.</source>
        <translation>
            <numerusform>Wenn Sie jemanden benennen, lernt Voxmere die Stimme und schlägt den Namen in späteren Anrufen vor (mit ? markiert). Stimmprofile bleiben auf diesem Computer. %n Stimme gelernt.</numerusform>
            <numerusform>Wenn Sie jemanden benennen, lernt Voxmere die Stimme und schlägt den Namen in späteren Anrufen vor (mit ? markiert). Stimmprofile bleiben auf diesem Computer. %n Stimmen gelernt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Shortcut, cleanup and privacy.</source>
        <translation>Tastenkürzel, Bereinigung und Datenschutz.</translation>
    </message>
    <message>
        <source>Hold to talk and release to stop, or tap quickly to go hands-free.</source>
        <translation>Zum Sprechen halten und zum Beenden loslassen, oder kurz tippen für freihändig.</translation>
    </message>
    <message>
        <source>Records only while the key is held down.</source>
        <translation>Nimmt nur auf, solange die Taste gedrückt ist.</translation>
    </message>
    <message>
        <source>Press once to start, press again to stop. No holding.</source>
        <translation>Einmal drücken zum Starten, erneut drücken zum Beenden. Ohne Halten.</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Dictation key</source>
        <translation>Diktiertaste</translation>
    </message>
    <message>
        <source>Click, then press one key (like Right ⌥ or fn) or a combo.</source>
        <translation>Klicken, dann eine Taste (etwa Right ⌥ oder fn) oder eine Kombination drücken.</translation>
    </message>
    <message>
        <source>Hands-free key (optional)</source>
        <translation>Freihand-Taste (optional)</translation>
    </message>
    <message>
        <source>A second key that never needs holding: press once to start, press again to stop and paste.</source>
        <translation>Eine zweite Taste, die nie gehalten werden muss: einmal drücken zum Starten, erneut drücken zum Beenden und Einfügen.</translation>
    </message>
    <message>
        <source>How the dictation key works</source>
        <translation>So funktioniert die Diktiertaste</translation>
    </message>
    <message>
        <source>Cleanup</source>
        <translation>Bereinigung</translation>
    </message>
    <message>
        <source>Remove filler words</source>
        <translation>Füllwörter entfernen</translation>
    </message>
    <message>
        <source>AI polish</source>
        <translation>KI-Überarbeitung</translation>
    </message>
    <message>
        <source>Fixes spelling, grammar and false starts with a local language model. Free, offline.</source>
        <translation>Korrigiert Rechtschreibung, Grammatik und Versprecher mit einem lokalen Sprachmodell. Kostenlos, offline.</translation>
    </message>
    <message>
        <source>Needs a local language model.</source>
        <translation>Benötigt ein lokales Sprachmodell.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Auto-detect is slightly slower</source>
        <translation>Automatische Erkennung ist etwas langsamer</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Englisch</translation>
    </message>
    <message>
        <source>Auto-detect</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Erscheinungsbild</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Hell</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Dunkel</translation>
    </message>
    <message>
        <source>Show in taskbar</source>
        <translation>In der Taskleiste zeigen</translation>
    </message>
    <message>
        <source>Off = tray only</source>
        <translation>Aus = nur Systemleiste</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Bei Anmeldung starten</translation>
    </message>
    <message>
        <source>Show waveform while recording</source>
        <translation>Wellenform bei der Aufnahme zeigen</translation>
    </message>
    <message>
        <source>Drag it anywhere on screen; it remembers the spot</source>
        <translation>Frei auf dem Bildschirm verschiebbar; die Stelle wird gemerkt</translation>
    </message>
    <message>
        <source>Microphone</source>
        <translation>Mikrofon</translation>
    </message>
    <message>
        <source>System default follows the input chosen in your sound settings</source>
        <translation>Der Systemstandard folgt dem Eingang, der in den Toneinstellungen gewählt ist</translation>
    </message>
    <message>
        <source>Keep microphone ready</source>
        <translation>Mikrofon bereithalten</translation>
    </message>
    <message>
        <source>Some mics (USB webcams, Bluetooth) take about 1s to wake. Keeping it ready makes recording start instantly. Only the last 0.3s is held in memory until you press the key.</source>
        <translation>Manche Mikrofone (USB-Webcams, Bluetooth) brauchen etwa 1 s zum Aufwachen. Bereithalten lässt die Aufnahme sofort beginnen. Nur die letzten 0,3 s bleiben im Speicher, bis Sie die Taste drücken.</translation>
    </message>
    <message>
        <source>Always</source>
        <translation>Immer</translation>
    </message>
    <message>
        <source>5 min after use</source>
        <translation>5 Min. nach Gebrauch</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Sounds</source>
        <translation>Töne</translation>
    </message>
    <message>
        <source>A soft tick when recording starts</source>
        <translation>Ein leises Ticken, wenn die Aufnahme beginnt</translation>
    </message>
    <message>
        <source>Calls</source>
        <translation>Anrufe</translation>
    </message>
    <message>
        <source>Offer to record calls</source>
        <translation>Aufnahme von Anrufen anbieten</translation>
    </message>
    <message>
        <source>Shows a prompt when Zoom, Meet, Teams, WhatsApp, FaceTime, Slack or Discord starts using the microphone. Nothing is recorded until you press Record.</source>
        <translation>Fragt nach, wenn Zoom, Meet, Teams, WhatsApp, FaceTime, Slack oder Discord das Mikrofon benutzt. Aufgenommen wird erst, wenn Sie auf „Aufnehmen“ klicken.</translation>
    </message>
    <message>
        <source>Floating call strip</source>
        <translation>Schwebende Anrufleiste</translation>
    </message>
    <message>
        <source>While a call is recorded, a small strip shows the timer, who is being heard and the latest line. Drag it anywhere.</source>
        <translation>Während ein Anruf aufgenommen wird, zeigt eine kleine Leiste die Zeit, wer zu hören ist, und die neueste Zeile. Frei verschiebbar.</translation>
    </message>
    <message>
        <source>Remove speaker echo</source>
        <translation>Lautsprecher-Echo entfernen</translation>
    </message>
    <message>
        <source>When you&apos;re on speakers, stops the other side showing up again as your words. Turn it off if your own words go missing while someone else is talking.</source>
        <translation>Verhindert bei Lautsprechern, dass die Gegenseite noch einmal als Ihre Worte erscheint. Schalten Sie es aus, wenn Ihre Worte fehlen, während jemand anderes spricht.</translation>
    </message>
    <message>
        <source>Keep call audio</source>
        <translation>Anruf-Audio aufbewahren</translation>
    </message>
    <message>
        <source>Saved on this computer, one file for you and one for the other side, about 30 MB per hour of call. Lets you transcribe a call again if something went wrong.</source>
        <translation>Auf diesem Computer gespeichert, eine Datei für Sie und eine für die Gegenseite, etwa 30 MB pro Anrufstunde. So lässt sich ein Anruf neu transkribieren, falls etwas schiefging.</translation>
    </message>
    <message>
        <source>Until transcribed</source>
        <translation>Bis transkribiert</translation>
    </message>
    <message>
        <source>30 days</source>
        <translation>30 Tage</translation>
    </message>
    <message>
        <source>Forever</source>
        <translation>Für immer</translation>
    </message>
    <message>
        <source>Tell speakers apart</source>
        <translation>Sprecher unterscheiden</translation>
    </message>
    <message>
        <source>After a call, labels the people on the other side Speaker 1, Speaker 2 and so on. Click a name in the transcript to rename them.</source>
        <translation>Benennt nach einem Anruf die Personen der Gegenseite als Sprecher 1, Sprecher 2 und so weiter. Klicken Sie in der Mitschrift auf einen Namen, um ihn zu ändern.</translation>
    </message>
    <message>
        <source>Recognise voices</source>
        <translation>Stimmen erkennen</translation>
    </message>
    <message>
        <source>Forget voices</source>
        <translation>Stimmen vergessen</translation>
    </message>
    <message>
        <source>Forget every learned voice?</source>
        <translation>Alle gelernten Stimmen vergessen?</translation>
    </message>
    <message>
        <source>Names stay in the list. Voxmere stops recognising anyone until you name them again.</source>
        <translation>Die Namen bleiben in der Liste. Voxmere erkennt niemanden mehr, bis Sie die Person erneut benennen.</translation>
    </message>
    <message>
        <source>Forget</source>
        <translation>Vergessen</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Keep history</source>
        <translation>Verlauf behalten</translation>
    </message>
    <message>
        <source>Saved only on this computer, in %1</source>
        <translation>Nur auf diesem Computer gespeichert, in %1</translation>
    </message>
    <message>
        <source>About Voxmere</source>
        <translation>Über Voxmere</translation>
    </message>
    <message>
        <source>System default</source>
        <translation>Systemstandard</translation>
    </message>
    <message>
        <source>Saved mic (not connected)</source>
        <translation>Gespeichertes Mikrofon (nicht verbunden)</translation>
    </message>
</context>
<context>
    <name>Sidebar</name>
    <message>
        <source>Dictation and call notes</source>
        <translation>Diktat und Anrufnotizen</translation>
    </message>
</context>
<context>
    <name>SnippetRow</name>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
</context>
<context>
    <name>SpeakerChips</name>
    <message>
        <source>Guessed from their voice. Click to confirm or change it.</source>
        <translation>Anhand der Stimme vermutet. Klicken zum Bestätigen oder Ändern.</translation>
    </message>
    <message>
        <source>Rename %1 everywhere in this call</source>
        <translation>%1 in diesem Anruf überall umbenennen</translation>
    </message>
</context>
<context>
    <name>SpeakerFinder</name>
    <message>
        <source>Find the speakers again?</source>
        <translation>Sprecher erneut bestimmen?</translation>
    </message>
    <message>
        <source>If you know how many people were on the other side, pick the number. It&apos;s more accurate than letting Voxmere guess. Speakers are numbered again, and people whose voices Voxmere has learned get their names back.</source>
        <translation>Wenn Sie wissen, wie viele Personen auf der Gegenseite waren, wählen Sie die Zahl. Das ist genauer, als Voxmere raten zu lassen. Die Sprecher werden neu nummeriert, und Personen, deren Stimmen Voxmere gelernt hat, erhalten ihre Namen zurück.</translation>
    </message>
    <message>
        <source>Let Voxmere decide</source>
        <translation>Voxmere entscheiden lassen</translation>
    </message>
    <message numerus="yes">
        <source>%n people</source>
        <translation>
            <numerusform>%n Person</numerusform>
            <numerusform>%n Personen</numerusform>
        </translation>
    </message>
    <message>
        <source>Find speakers</source>
        <translation>Sprecher bestimmen</translation>
    </message>
</context>
<context>
    <name>SpeakerMenu</name>
    <message>
        <source>Change who said this, or rename %1</source>
        <translation>Ändern, wer das gesagt hat, oder %1 umbenennen</translation>
    </message>
    <message>
        <source>Who said this line?</source>
        <translation>Wer hat das gesagt?</translation>
    </message>
    <message>
        <source>New speaker</source>
        <translation>Neuer Sprecher</translation>
    </message>
    <message>
        <source>Yes, this is %1</source>
        <translation>Ja, das ist %1</translation>
    </message>
    <message>
        <source>Rename %1 everywhere…</source>
        <translation>%1 überall umbenennen…</translation>
    </message>
    <message>
        <source>Edit text…</source>
        <translation>Text bearbeiten…</translation>
    </message>
    <message>
        <source>Delete line</source>
        <translation>Zeile löschen</translation>
    </message>
</context>
<context>
    <name>SpeakerName</name>
    <message>
        <source>You</source>
        <translation>Sie</translation>
    </message>
    <message>
        <source>Them</source>
        <translation>Andere</translation>
    </message>
    <message>
        <source>Speaker %1</source>
        <translation>Sprecher %1</translation>
    </message>
</context>
<context>
    <name>SystemAudioTap</name>
    <message>
        <source>Call audio</source>
        <translation>Anruf-Audio</translation>
    </message>
</context>
<context>
    <name>Tab</name>
    <message>
        <source>Home</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Calls</source>
        <translation>Anrufe</translation>
    </message>
    <message>
        <source>Vocabulary</source>
        <translation>Vokabular</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
</context>
<context>
    <name>TalkingRows</name>
    <message>
        <source>listening</source>
        <translation>hört zu</translation>
    </message>
</context>
<context>
    <name>Tray</name>
    <message>
        <source>Hold or tap %1 to dictate</source>
        <translation>%1 halten oder tippen zum Diktieren</translation>
    </message>
    <message>
        <source>Press %1 to start / stop hands-free</source>
        <translation>%1 drücken: freihändig starten / beenden</translation>
    </message>
    <message>
        <source>Open Voxmere</source>
        <translation>Voxmere öffnen</translation>
    </message>
    <message>
        <source>Stop recording call</source>
        <translation>Anrufaufnahme beenden</translation>
    </message>
    <message>
        <source>Record a call</source>
        <translation>Anruf aufnehmen</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Zuletzt</translation>
    </message>
    <message>
        <source>Reset overlay position</source>
        <translation>Position der Einblendung zurücksetzen</translation>
    </message>
    <message>
        <source>Restart engine</source>
        <translation>Spracherkennung neu starten</translation>
    </message>
    <message>
        <source>Quit Voxmere</source>
        <translation>Voxmere beenden</translation>
    </message>
    <message>
        <source>Nothing yet</source>
        <translation>Noch nichts</translation>
    </message>
    <message>
        <source>Click to copy</source>
        <translation>Klicken zum Kopieren</translation>
    </message>
</context>
<context>
    <name>VocabRow</name>
    <message>
        <source>e.g. GitHub</source>
        <translation>z. B. GitHub</translation>
    </message>
    <message>
        <source>e.g. neos, nee oh s</source>
        <translation>z. B. neos, nee oh s</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
</context>
<context>
    <name>VocabularyPage</name>
    <message>
        <source>WORD</source>
        <translation>WORT</translation>
    </message>
    <message>
        <source>SOUNDS LIKE  ·  comma-separated</source>
        <translation>KLINGT WIE  ·  durch Kommas getrennt</translation>
    </message>
    <message>
        <source>Add word</source>
        <translation>Wort hinzufügen</translation>
    </message>
    <message>
        <source>Tip: say a word a few times and check History to see how Voxmere hears it, then add that here.</source>
        <translation>Tipp: Sagen Sie ein Wort ein paar Mal und sehen Sie im Verlauf nach, wie Voxmere es versteht. Tragen Sie das dann hier ein.</translation>
    </message>
    <message>
        <source>Vocabulary</source>
        <translation>Vokabular</translation>
    </message>
    <message>
        <source>Names and terms you say often. Voxmere primes the speech model with them, then swaps anything that sounds like them for the right spelling.</source>
        <translation>Namen und Begriffe, die Sie oft sagen. Voxmere gibt sie dem Sprachmodell vor und ersetzt alles, was danach klingt, durch die richtige Schreibweise.</translation>
    </message>
</context>
</TS>
