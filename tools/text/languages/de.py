CODE, NAME, FLAG = "DE", "Deutsch", "Deutsch.png"
# The credits: who made the game, its licence, and the names of the font and
# library credit lines.
CREDITS = {"by": "die Mitwirkenden von pLiMo lite", "licence": "Lizenz", "font": "Schrift", "libraries": "Bibliotheken"}
# The desktop entry and the AppStream listing (logical order, as Unicode keeps it).
LISTING = {"generic": "Plättchen-Puzzle", "summary": "Schiebe farbige Steine zusammen, bis das Brett leer ist", "keywords": "Puzzle;Plättchen;Blöcke;Logik;"}
TEXTS = {
    "No Browser": "Kein Webbrowser konnte die Hilfeseite öffnen",
    "Play": "Spielen", "Rules": "Regeln", "Options": "Optionen", "Quit": "Beenden",
    "Style": "Stil", "Language": "Sprache", "Display": "Anzeige", "Credits": "Mitwirkende",
    "Quality": "Qualität", "Screen": "Bildschirm", "High": "Hoch", "Low": "Niedrig",
    "Windowed": "Fenster", "Center": "Zentriert", "Full": "Angepasst",
    "Congratulations": "Glückwunsch !", "Well Done": "Gut gemacht !",
    "Can Do Better": "OK ! aber...", "Time": "Zeit: ", "Record": "Bestzeit: ",
    "Old Record": "Alter Rekord: ", "New Record": "Neuer Rekord !",
    "Random Level": "Zufallslevel", "Last Time": "Zeit", "Best Time": "Beste",
    "Next Level": "Nächstes Level", "Level Map": "Levelkarte",
    "Style Help": "Schiebe einen Stil auf ein markiertes Feld für diese Farbe",
    "No Solution": "Von hier gibt es keinen Ausweg: mach ein paar Züge rückgängig",
    "No Hint": "Kein Tipp gefunden",
    "How to play": "So wird gespielt",
    "Choose Language": "Wähle deine Sprache", "One Player": "Ein Spieler",
    "Two Players": "Zwei Spieler", "Random": "Zufall", "Selection": "Auswahl",
    "Auto": "Auto", "Easy": "Leicht", "Medium": "Mittel", "Hard": "Schwer", "Insane": "Wahnsinnig",
    "Unrecorded Level": "Unbekanntes Level: der Sieg wird nicht gespeichert",
    "Making Level": "Ein neues Level wird erstellt...",
    "Editor Testing": "Wird getestet...",
    "File Kept": "Diese Datei ist nicht lesbar - sie bleibt, wie sie ist, und die Änderungen dieser Sitzung werden nicht in ihr gespeichert:",
    "Link Refused": "An der Stelle einer Spieldatei steht ein Link; ihm wird nicht gefolgt:",
    "Tuto0": "Willkommen bei pLiMo @[Anleitung] @Berühre den Bildschirm oder klicke irgendwohin, um fortzufahren.",
    "Tuto1": "Plimoniten bewegst du mit dem Finger oder bei gedrückter linker Maustaste.",
    "Tuto2": "Mit der Taste RÜCKGÄNGIG oder einfach per Rechtsklick kannst du Züge RÜCKGÄNGIG machen.",
    "Tuto3": "Plimoniten derselben Farbe verschmelzen, wenn sie sich berühren.",
    "Tuto4": "Vereine alle Plimoniten einer Farbe, damit sie verschwinden.",
    "Tuto6": "Du gewinnst, wenn alle Plimoniten verschwunden sind.",
    "Tuto7": "Voilà ! das ist alles. Die ersten Level sind sehr leicht, die letzten sehr schwer. Spiel, wie du willst.",
}

# Level codes, par and the daily level (map foot line, victory screen).
SHARING = {
    "Par": "Par",
    "Code": "Code",
    "Moves": "Züge",
    "Daily": "Tagesrätsel",
    "Code Level": "Geteiltes Level",
    "Copied": "Kopiert:",
    "Copy Hint": "C: kopieren",
    "Paste Hint": "Strg+V: Code spielen",
    "Par Matched": "Par erreicht !",
    "Par Beaten": "Besser als Par !",
    "Code Empty": "Die Zwischenablage enthält keinen Levelcode",
    "Code Bad": "Dieser Levelcode ist falsch: bitte Zeichen für Zeichen prüfen",
    "Code Empty Board": "Dieser Levelcode beschreibt ein leeres Brett",
    "Code No Solution": "Keine Lösung für das Level dieses Codes gefunden",
    "Code Entry Hint": "Code tippen oder Strg+V   Enter: spielen   Esc: schließen",
    # The level editor and its levels' cards.
    "Editor": "Editor",
    "Editor Help": "Klick oder Enter: nächste Farbe   0-6: wählen   U: zurück   T: testen   S: speichern   Esc: Menü",
    "Editor Empty": "Zuerst ein paar Steine setzen",
    "Editor Solvable": "Lösbar, Par",
    "Editor Unsolvable": "Keine Lösung gefunden: dieses Level kann nicht gespeichert werden",
    "Editor Saved": "Gespeichert: das Level hat seine Karte auf der Übersicht",
    "Editor Not Saved": "Das Level konnte nicht gespeichert werden",
    "Editor Deleted": "Level gelöscht",
    "Custom Hint": "E: bearbeiten   D: löschen",
}
