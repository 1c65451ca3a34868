CODE, NAME, FLAG = "PL", "Polski", "Polish.png"
# The credits: who made the game, its licence, and the names of the font and
# library credit lines.
CREDITS = {"by": "współtwórcy pLiMo lite", "licence": "Licencja", "font": "Czcionka", "libraries": "Biblioteki"}
# The desktop entry and the AppStream listing (logical order, as Unicode keeps it).
LISTING = {"generic": "Układanka z płytek", "summary": "Przesuwaj kolorowe klocki, aż plansza będzie pusta", "keywords": "łamigłówka;płytki;klocki;logika;"}
TEXTS = {
    "No Browser": "Żadna przeglądarka nie mogła otworzyć strony pomocy",
    "Play": "Graj", "Rules": "Zasady", "Options": "Opcje", "Quit": "Wyjście",
    "Style": "Styl", "Language": "Język", "Display": "Wyświetlanie", "Credits": "Autorzy",
    "Quality": "Jakość", "Screen": "Ekran", "High": "Wysoka", "Low": "Niska",
    "Windowed": "Okno", "Center": "Wyśrodkowany", "Full": "Dopasowany",
    "Congratulations": "Gratulacje !", "Well Done": "Dobra robota !",
    "Can Do Better": "OK ! ale...", "Time": "Czas: ", "Record": "Najlepszy czas: ",
    "Old Record": "Stary rekord: ", "New Record": "Nowy rekord !",
    "Random Level": "Losowy poziom", "Last Time": "Czas", "Best Time": "Rekord",
    "Next Level": "Następny poziom", "Level Map": "Mapa poziomów",
    "Style Help": "Przesuń styl na zaznaczone pole dla tego koloru",
    "No Solution": "Stąd nie ma już wyjścia: cofnij kilka ruchów",
    "No Hint": "Nie znaleziono podpowiedzi",
    "How to play": "Jak grać",
    "Choose Language": "Wybierz język", "One Player": "Jeden gracz",
    "Two Players": "Dwóch graczy", "Random": "Losowo", "Selection": "Wybór",
    "Auto": "Auto", "Easy": "Łatwy", "Medium": "Średni", "Hard": "Trudny", "Insane": "Szalony",
    "Unrecorded Level": "Nieznany poziom: wygrana nie zostanie zapisana",
    "Making Level": "Tworzenie nowego poziomu...",
    "Editor Testing": "Testowanie...",
    "File Kept": "Nie można odczytać tego pliku - pozostaje bez zmian, a zmiany z tej sesji nie zostaną w nim zapisane:",
    "Link Refused": "W miejscu pliku gry znajduje się dowiązanie, które nie jest używane:",
    "Tuto0": "Witaj w pLiMo @[Samouczek] @Dotknij ekranu lub kliknij gdziekolwiek, aby kontynuować.",
    "Tuto1": "Plimonity przesuwa się palcem lub przytrzymując lewy przycisk myszy.",
    "Tuto2": "Ruchy możesz COFNĄĆ przyciskiem COFNIJ albo po prostu prawym przyciskiem myszy.",
    "Tuto3": "Plimonity tego samego koloru łączą się, gdy się zetkną.",
    "Tuto4": "Połącz wszystkie plimonity tego samego koloru, aby zniknęły.",
    "Tuto6": "Wygrywasz, gdy znikną wszystkie plimonity.",
    "Tuto7": "Voilà ! to wszystko. Pierwsze poziomy są bardzo łatwe, ostatnie bardzo trudne. Graj, jak chcesz.",
}

# Level codes, par and the daily level (map foot line, victory screen).
SHARING = {
    "Par": "Par",
    "Code": "Kod",
    "Moves": "Ruchy",
    "Daily": "Dzienny",
    "Code Level": "Udostępniony poziom",
    "Copied": "Skopiowano:",
    "Copy Hint": "C: kopiuj",
    "Paste Hint": "Ctrl+V: zagraj kod",
    "Par Matched": "Par wyrównany !",
    "Par Beaten": "Lepiej niż par !",
    "Code Empty": "Schowek nie zawiera kodu poziomu",
    "Code Bad": "Ten kod poziomu jest błędny: sprawdź go znak po znaku",
    "Code Empty Board": "Ten kod poziomu opisuje pustą planszę",
    "Code No Solution": "Nie znaleziono rozwiązania poziomu z tego kodu",
    "Code Entry Hint": "Wpisz kod lub Ctrl+V   Enter: graj   Esc: zamknij",
    # The level editor and its levels' cards.
    "Editor": "Edytor",
    "Editor Help": "Klik lub Enter: następny kolor   0-6: wybierz   U: cofnij   T: test   S: zapisz   Esc: menu",
    "Editor Empty": "Najpierw ustaw kilka klocków",
    "Editor Solvable": "Do rozwiązania, par",
    "Editor Unsolvable": "Nie znaleziono rozwiązania: tego poziomu nie można zapisać",
    "Editor Saved": "Zapisano: poziom ma swoją kartę na mapie",
    "Editor Not Saved": "Nie udało się zapisać poziomu",
    "Editor Deleted": "Poziom usunięty",
    "Custom Hint": "E: edytuj   D: usuń",
}
