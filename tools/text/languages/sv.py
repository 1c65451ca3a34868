CODE, NAME, FLAG = "SV", "Svenska", "Swedish.png"
# The credits: who made the game, its licence, and the names of the font and
# library credit lines.
CREDITS = {"by": "bidragsgivarna till pLiMo lite", "licence": "Licens", "font": "Typsnitt", "libraries": "Bibliotek"}
# The desktop entry and the AppStream listing (logical order, as Unicode keeps it).
LISTING = {"generic": "Brickpussel", "summary": "Skjut ihop färgade bitar tills brädet är tomt", "keywords": "pussel;brickor;block;logik;"}
TEXTS = {
    "No Browser": "Ingen webbläsare kunde öppna hjälpsidan",
    "Play": "Spela", "Rules": "Regler", "Options": "Alternativ", "Quit": "Avsluta",
    "Style": "Stil", "Language": "Språk", "Display": "Visning", "Credits": "Medverkande",
    "Quality": "Kvalitet", "Screen": "Skärm", "High": "Hög", "Low": "Låg",
    "Windowed": "Fönster", "Center": "Centrerad", "Full": "Anpassad",
    "Congratulations": "Grattis !", "Well Done": "Bra gjort !",
    "Can Do Better": "OK ! men...", "Time": "Tid: ", "Record": "Bästa tid: ",
    "Old Record": "Gammalt rekord: ", "New Record": "Nytt rekord !",
    "Random Level": "Slumpad nivå", "Last Time": "Tid", "Best Time": "Bäst",
    "Next Level": "Nästa nivå", "Level Map": "Nivåkarta",
    "Style Help": "Flytta en stil till en markerad ruta för den färgen",
    "No Solution": "Det finns ingen väg ut härifrån: ångra några drag",
    "No Hint": "Ingen ledtråd hittades",
    "How to play": "Så spelar du",
    "Choose Language": "Välj språk", "One Player": "En spelare",
    "Two Players": "Två spelare", "Random": "Slumpa", "Selection": "Urval",
    "Auto": "Auto", "Easy": "Lätt", "Medium": "Medel", "Hard": "Svår", "Insane": "Galen",
    "Unrecorded Level": "Okänd nivå: vinsten sparas inte",
    "Making Level": "Skapar en ny nivå...",
    "Editor Testing": "Testar...",
    "File Kept": "Den här filen kan inte läsas - den behålls som den är och ändringarna från den här sessionen sparas inte i den:",
    "Link Refused": "En länk står i stället för en spelfil och följs inte:",
    "Tuto0": "Välkommen till pLiMo @[Genomgång] @Tryck på skärmen eller klicka var som helst för att fortsätta.",
    "Tuto1": "Plimoniter flyttas med fingret eller genom att hålla ned vänster musknapp.",
    "Tuto2": "Du kan ÅNGRA drag med knappen ÅNGRA eller helt enkelt genom att högerklicka.",
    "Tuto3": "Plimoniter med samma färg smälter samman när de möts.",
    "Tuto4": "Slå ihop alla plimoniter med samma färg så försvinner de.",
    "Tuto6": "Du vinner när alla plimoniter är borta.",
    "Tuto7": "Voilà ! det var allt. De första nivåerna är mycket lätta, de sista mycket svåra. Spela som du vill.",
}

# Level codes, par and the daily level (map foot line, victory screen).
SHARING = {
    "Par": "Par",
    "Code": "Kod",
    "Moves": "Drag",
    "Daily": "Dagens",
    "Code Level": "Delad bana",
    "Copied": "Kopierad:",
    "Copy Hint": "C: kopiera",
    "Paste Hint": "Ctrl+V: spela en kod",
    "Par Matched": "Par uppnått !",
    "Par Beaten": "Bättre än par !",
    "Code Empty": "Urklipp innehåller ingen bankod",
    "Code Bad": "Den här bankoden är felskriven: kontrollera den tecken för tecken",
    "Code Empty Board": "Den här bankoden beskriver ett tomt bräde",
    "Code No Solution": "Ingen lösning hittades för banan i den här koden",
    "Code Entry Hint": "Skriv en kod eller Ctrl+V   Enter: spela   Esc: stäng",
    # The level editor and its levels' cards.
    "Editor": "Redigerare",
    "Editor Help": "Klick eller Enter: nästa färg   0-6: välj   U: ångra   T: testa   S: spara   Esc: meny",
    "Editor Empty": "Lägg först ut några bitar",
    "Editor Solvable": "Lösbar, par",
    "Editor Unsolvable": "Ingen lösning hittades: banan kan inte sparas",
    "Editor Saved": "Sparad: banan har sitt kort på kartan",
    "Editor Not Saved": "Banan kunde inte sparas",
    "Editor Deleted": "Banan borttagen",
    "Custom Hint": "E: redigera   D: ta bort",
}
