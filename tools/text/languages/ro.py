CODE, NAME, FLAG = "RO", "Română", "Romanian.png"
# The credits: who made the game, its licence, and the names of the font and
# library credit lines.
CREDITS = {"by": "contribuitorii pLiMo lite", "licence": "Licență", "font": "Font", "libraries": "Biblioteci"}
# The desktop entry and the AppStream listing (logical order, as Unicode keeps it).
LISTING = {"generic": "Puzzle cu plăci", "summary": "Glisează piesele colorate până când tabla se golește", "keywords": "puzzle;plăci;blocuri;logică;"}
TEXTS = {
    "No Browser": "Niciun browser nu a putut deschide pagina de ajutor",
    "Play": "Joacă", "Rules": "Reguli", "Options": "Opțiuni", "Quit": "Ieșire",
    "Style": "Stil", "Language": "Limbă", "Display": "Afișare", "Credits": "Credite",
    "Quality": "Calitate", "Screen": "Ecran", "High": "Înaltă", "Low": "Scăzută",
    "Windowed": "Fereastră", "Center": "Centrat", "Full": "Potrivire optimă",
    "Congratulations": "Felicitări !", "Well Done": "Bravo !",
    "Can Do Better": "OK ! dar...", "Time": "Timp: ", "Record": "Cel mai bun timp: ",
    "Old Record": "Record vechi: ", "New Record": "Record nou !",
    "Random Level": "Nivel aleatoriu", "Last Time": "Timp", "Best Time": "Record",
    "Next Level": "Nivelul următor", "Level Map": "Harta nivelurilor",
    "Style Help": "Mutați un stil pe o căsuță marcată pentru acea culoare",
    "No Solution": "Nu mai există ieșire de aici: anulează câteva mutări",
    "No Hint": "Nu s-a găsit niciun indiciu",
    "How to play": "Cum se joacă",
    "Choose Language": "Alege limba", "One Player": "Un jucător",
    "Two Players": "Doi jucători", "Random": "Aleatoriu", "Selection": "Selecție",
    "Auto": "Auto", "Easy": "Ușor", "Medium": "Mediu", "Hard": "Greu", "Insane": "Nebunesc",
    "Unrecorded Level": "Nivel necunoscut: victoria nu va fi înregistrată",
    "Making Level": "Se creează un nivel nou...",
    "Editor Testing": "Se testează...",
    "File Kept": "Acest fișier nu poate fi citit - rămâne așa cum este, iar modificările acestei sesiuni nu se salvează în el:",
    "Link Refused": "În locul unui fișier al jocului se află o legătură, care nu este urmată:",
    "Tuto0": "Bun venit în pLiMo @[Tutorial] @Atinge ecranul sau dă clic oriunde pentru a continua.",
    "Tuto1": "Plimonitele se mută cu degetul sau ținând apăsat butonul stâng al mouse-ului.",
    "Tuto2": "Poți ANULA mutările cu butonul ANULARE sau pur și simplu cu un clic dreapta.",
    "Tuto3": "Plimonitele de aceeași culoare se unesc când se ating.",
    "Tuto4": "Unește toate plimonitele de aceeași culoare ca să dispară.",
    "Tuto6": "Câștigi jocul când toate plimonitele au dispărut.",
    "Tuto7": "Voilà ! asta e tot. Primele niveluri sunt foarte ușoare, ultimele sunt foarte grele. Joacă așa cum vrei.",
}

# Level codes, par and the daily level (map foot line, victory screen).
SHARING = {
    "Par": "Par",
    "Code": "Cod",
    "Moves": "Mutări",
    "Daily": "Zilnic",
    "Code Level": "Nivel partajat",
    "Copied": "Copiat:",
    "Copy Hint": "C: copiază",
    "Paste Hint": "Ctrl+V: joacă un cod",
    "Par Matched": "Par egalat !",
    "Par Beaten": "Mai bine decât par !",
    "Code Empty": "Clipboardul nu conține un cod de nivel",
    "Code Bad": "Acest cod de nivel este greșit: verifică-l literă cu literă",
    "Code Empty Board": "Acest cod de nivel descrie o tablă goală",
    "Code No Solution": "Nu s-a găsit nicio soluție pentru nivelul acestui cod",
    "Code Entry Hint": "Scrie un cod sau Ctrl+V   Enter: joacă   Esc: închide",
    # The level editor and its levels' cards.
    "Editor": "Editor",
    "Editor Help": "Clic sau Enter: culoarea următoare   0-6: alege   U: anulează   T: testează   S: salvează   Esc: meniu",
    "Editor Empty": "Pune mai întâi câteva piese",
    "Editor Solvable": "Rezolvabil, par",
    "Editor Unsolvable": "Nu s-a găsit nicio soluție: acest nivel nu poate fi salvat",
    "Editor Saved": "Salvat: nivelul are cartea lui pe hartă",
    "Editor Not Saved": "Nivelul nu a putut fi salvat",
    "Editor Deleted": "Nivel șters",
    "Custom Hint": "E: editează   D: șterge",
}
