CODE, NAME, FLAG = "HU", "Magyar", "Hungarian.png"
# The credits: who made the game, its licence, and the names of the font and
# library credit lines.
CREDITS = {"by": "a pLiMo lite közreműködői", "licence": "Licenc", "font": "Betűtípus", "libraries": "Könyvtárak"}
# The desktop entry and the AppStream listing (logical order, as Unicode keeps it).
LISTING = {"generic": "Csempés kirakós", "summary": "Told össze a színes darabokat, amíg a tábla ki nem ürül", "keywords": "kirakós;csempék;blokkok;logika;"}
TEXTS = {
    "No Browser": "Egyik böngésző sem tudta megnyitni a súgóoldalt",
    "Play": "Játék", "Rules": "Szabályok", "Options": "Beállítások", "Quit": "Kilépés",
    "Style": "Stílus", "Language": "Nyelv", "Display": "Megjelenítés", "Credits": "Készítők",
    "Quality": "Minőség", "Screen": "Képernyő", "High": "Magas", "Low": "Alacsony",
    "Windowed": "Ablakban", "Center": "Középre", "Full": "Illesztve",
    "Congratulations": "Gratulálunk !", "Well Done": "Szép munka !",
    "Can Do Better": "OK ! de...", "Time": "Idő: ", "Record": "Legjobb idő: ",
    "Old Record": "Régi rekord: ", "New Record": "Új rekord !",
    "Random Level": "Véletlen pálya", "Last Time": "Idő", "Best Time": "Legjobb",
    "Next Level": "Következő pálya", "Level Map": "Pályatérkép",
    "Style Help": "Húzz egy stílust egy jelölt mezőre annak a színnek",
    "No Solution": "Innen nincs kiút: vonj vissza néhány lépést",
    "No Hint": "Nem található tipp",
    "How to play": "Hogyan játssz",
    "Choose Language": "Válassz nyelvet", "One Player": "Egy játékos",
    "Two Players": "Két játékos", "Random": "Véletlen", "Selection": "Kiválasztás",
    "Auto": "Auto", "Easy": "Könnyű", "Medium": "Közepes", "Hard": "Nehéz", "Insane": "Őrült",
    "Unrecorded Level": "Ismeretlen pálya: a győzelem nem kerül rögzítésre",
    "Making Level": "Új pálya készül...",
    "Editor Testing": "Tesztelés...",
    "File Kept": "Ez a fájl nem olvasható - változatlanul megmarad, és a mostani játék változásai nem kerülnek bele:",
    "Link Refused": "Egy játékfájl helyén hivatkozás áll, és a játék nem követi:",
    "Tuto0": "Üdvözöl a pLiMo @[Útmutató] @Érintsd meg a képernyőt, vagy kattints bárhova a folytatáshoz.",
    "Tuto1": "A plimonitokat az ujjaddal vagy a bal egérgomb lenyomva tartásával mozgathatod.",
    "Tuto2": "A lépéseket a VISSZA gombbal vagy egyszerűen jobb kattintással VONHATOD VISSZA.",
    "Tuto3": "Az azonos színű plimonitok összeolvadnak, amikor összeérnek.",
    "Tuto4": "Egyesítsd az azonos színű plimonitokat, hogy eltűnjenek.",
    "Tuto6": "Akkor nyersz, ha az összes plimonit eltűnt.",
    "Tuto7": "Voilà ! ennyi az egész. Az első pályák nagyon könnyűek, az utolsók nagyon nehezek. Játssz, ahogy kedved tartja.",
}

# Level codes, par and the daily level (map foot line, victory screen).
SHARING = {
    "Par": "Par",
    "Code": "Kód",
    "Moves": "Lépések",
    "Daily": "Napi",
    "Code Level": "Megosztott pálya",
    "Copied": "Másolva:",
    "Copy Hint": "C: másolás",
    "Paste Hint": "Ctrl+V: kód játszása",
    "Par Matched": "Par megvan !",
    "Par Beaten": "Jobb a parnál !",
    "Code Empty": "A vágólapon nincs pályakód",
    "Code Bad": "Ez a pályakód hibás: ellenőrizd betűről betűre",
    "Code Empty Board": "Ez a pályakód üres táblát ír le",
    "Code No Solution": "Nem található megoldás ennek a kódnak a pályájára",
    "Code Entry Hint": "Írj be egy kódot vagy Ctrl+V   Enter: játék   Esc: bezárás",
    # The level editor and its levels' cards.
    "Editor": "Szerkesztő",
    "Editor Help": "Kattintás vagy Enter: következő szín   0-6: választás   U: vissza   T: próba   S: mentés   Esc: menü",
    "Editor Empty": "Előbb tegyél le néhány elemet",
    "Editor Solvable": "Megoldható, par",
    "Editor Unsolvable": "Nem található megoldás: ez a pálya nem menthető",
    "Editor Saved": "Mentve: a pálya kártyája a térképen van",
    "Editor Not Saved": "A pályát nem sikerült menteni",
    "Editor Deleted": "Pálya törölve",
    "Custom Hint": "E: szerkesztés   D: törlés",
}
