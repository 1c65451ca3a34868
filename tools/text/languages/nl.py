CODE, NAME, FLAG = "NL", "Nederlands", "Dutch.png"
# The credits: who made the game, its licence, and the names of the font and
# library credit lines.
CREDITS = {"by": "de bijdragers van pLiMo lite", "licence": "Licentie", "font": "Lettertype", "libraries": "Bibliotheken"}
# The desktop entry and the AppStream listing (logical order, as Unicode keeps it).
LISTING = {"generic": "Tegelpuzzel", "summary": "Schuif gekleurde stukken samen tot het bord leeg is", "keywords": "puzzel;tegels;blokken;logica;"}
TEXTS = {
    "No Browser": "Geen webbrowser kon de hulppagina openen",
    "Play": "Spelen", "Rules": "Regels", "Options": "Opties", "Quit": "Afsluiten",
    "Style": "Stijl", "Language": "Taal", "Display": "Weergave", "Credits": "Makers",
    "Quality": "Kwaliteit", "Screen": "Scherm", "High": "Hoog", "Low": "Laag",
    "Windowed": "Venster", "Center": "Gecentreerd", "Full": "Passend",
    "Congratulations": "Gefeliciteerd !", "Well Done": "Goed gedaan !",
    "Can Do Better": "OK ! maar...", "Time": "Tijd: ", "Record": "Beste tijd: ",
    "Old Record": "Oud record: ", "New Record": "Nieuw record !",
    "Random Level": "Willekeurig level", "Last Time": "Tijd", "Best Time": "Beste",
    "Next Level": "Volgend level", "Level Map": "Levelkaart",
    "Style Help": "Schuif een stijl op een gemarkeerd vak voor die kleur",
    "No Solution": "Hier is geen uitweg meer: maak een paar zetten ongedaan",
    "No Hint": "Geen hint gevonden",
    "How to play": "Zo speel je",
    "Choose Language": "Kies je taal", "One Player": "Eén speler",
    "Two Players": "Twee spelers", "Random": "Willekeurig", "Selection": "Selectie",
    "Auto": "Auto", "Easy": "Makkelijk", "Medium": "Gemiddeld", "Hard": "Moeilijk", "Insane": "Krankzinnig",
    "Unrecorded Level": "Onbekend level: de overwinning wordt niet opgeslagen",
    "Making Level": "Er wordt een nieuw level gemaakt...",
    "Editor Testing": "Bezig met testen...",
    "File Kept": "Dit bestand is onleesbaar - het blijft zoals het is en de wijzigingen van deze sessie worden er niet in opgeslagen:",
    "Link Refused": "Op de plaats van een spelbestand staat een koppeling; die wordt niet gevolgd:",
    "Tuto0": "Welkom bij pLiMo @[Uitleg] @Raak het scherm aan of klik ergens om verder te gaan.",
    "Tuto1": "Plimonieten verplaats je met je vinger of door de linkermuisknop ingedrukt te houden.",
    "Tuto2": "Je kunt zetten ONGEDAAN MAKEN met de knop ONGEDAAN MAKEN of gewoon met een klik op de rechtermuisknop.",
    "Tuto3": "Plimonieten van dezelfde kleur smelten samen als ze elkaar raken.",
    "Tuto4": "Voeg alle plimonieten van dezelfde kleur samen om ze te laten verdwijnen.",
    "Tuto6": "Je wint het spel als alle plimonieten verdwenen zijn.",
    "Tuto7": "Voilà ! dat is alles. De eerste levels zijn heel makkelijk, de laatste levels zijn heel moeilijk. Speel zoals je wilt.",
}

# Level codes, par and the daily level (map foot line, victory screen).
SHARING = {
    "Par": "Par",
    "Code": "Code",
    "Moves": "Zetten",
    "Daily": "Dagpuzzel",
    "Code Level": "Gedeeld level",
    "Copied": "Gekopieerd:",
    "Copy Hint": "C: kopiëren",
    "Paste Hint": "Ctrl+V: code spelen",
    "Par Matched": "Par gehaald !",
    "Par Beaten": "Beter dan par !",
    "Code Empty": "Het klembord bevat geen levelcode",
    "Code Bad": "Deze levelcode is verkeerd getypt: controleer hem letter voor letter",
    "Code Empty Board": "Deze levelcode beschrijft een leeg bord",
    "Code No Solution": "Geen oplossing gevonden voor het level van deze code",
    "Code Entry Hint": "Typ een code of Ctrl+V   Enter: spelen   Esc: sluiten",
    # The level editor and its levels' cards.
    "Editor": "Editor",
    "Editor Help": "Klik of Enter: volgende kleur   0-6: kiezen   U: terug   T: testen   S: opslaan   Esc: menu",
    "Editor Empty": "Zet eerst een paar stukken neer",
    "Editor Solvable": "Oplosbaar, par",
    "Editor Unsolvable": "Geen oplossing gevonden: dit level kan niet worden opgeslagen",
    "Editor Saved": "Opgeslagen: het level heeft zijn kaart op het overzicht",
    "Editor Not Saved": "Het level kon niet worden opgeslagen",
    "Editor Deleted": "Level verwijderd",
    "Custom Hint": "E: bewerken   D: verwijderen",
}
