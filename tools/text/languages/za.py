CODE, NAME, FLAG = "ZA", "Afrikaans", "Suid-Afrika.png"
# The credits: who made the game, its licence, and the names of the font and
# library credit lines.
CREDITS = {"by": "die bydraers van pLiMo lite", "licence": "Lisensie", "font": "Lettertipe", "libraries": "Biblioteke"}
# The desktop entry and the AppStream listing (logical order, as Unicode keeps it).
LISTING = {"generic": "Teëlraaisel", "summary": "Skuif gekleurde stukke saam totdat die bord leeg is", "keywords": "raaisel;teëls;blokke;logika;"}
TEXTS = {
    "No Browser": "Geen webblaaier kon die hulpblad oopmaak nie",
    "Play": "Speel", "Rules": "Reëls", "Options": "Opsies", "Quit": "Verlaat",
    "Style": "Styl", "Language": "Taal", "Display": "Vertoning", "Credits": "Erkennings",
    "Quality": "Kwaliteit", "Screen": "Skerm", "High": "Hoog", "Low": "Laag",
    "Windowed": "Venster", "Center": "Gesentreer", "Full": "Beste passing",
    "Congratulations": "Baie geluk !", "Well Done": "Mooi so !",
    "Can Do Better": "OK ! maar...", "Time": "Tyd: ", "Record": "Beste tyd: ",
    "Old Record": "Ou rekord: ", "New Record": "Nuwe rekord !",
    "Random Level": "Lukrake vlak", "Last Time": "Tyd", "Best Time": "Beste",
    "Next Level": "Volgende vlak", "Level Map": "Vlakkaart",
    "Style Help": "Skuif 'n styl na 'n gemerkte sel vir daardie kleur",
    "No Solution": "Daar is geen uitweg van hier nie: ontdoen 'n paar skuiwe",
    "No Hint": "Geen wenk gevind nie",
    "How to play": "Hoe om te speel",
    "Choose Language": "Kies jou taal", "One Player": "Een speler",
    "Two Players": "Twee spelers", "Random": "Lukraak", "Selection": "Keuse",
    "Auto": "Outo", "Easy": "Maklik", "Medium": "Medium", "Hard": "Moeilik", "Insane": "Mal",
    "Unrecorded Level": "Onbekende vlak: die oorwinning word nie aangeteken nie",
    "Making Level": "Skep 'n nuwe vlak...",
    "Editor Testing": "Toets tans...",
    "File Kept": "Hierdie lêer kan nie gelees word nie - dit word gehou soos dit is, en hierdie sessie se veranderinge word nie daarin gestoor nie:",
    "Link Refused": "'n Skakel staan in die plek van 'n spellêer en word nie gevolg nie:",
    "Tuto0": "Welkom by pLiMo @[Handleiding] @Raak aan die skerm of klik enige plek om voort te gaan.",
    "Tuto1": "Plimoniete word met die vinger geskuif of deur die linkermuisknoppie ingedruk te hou.",
    "Tuto2": "Jy kan skuiwe ONTDOEN met die ONTDOEN-knoppie of eenvoudig deur regs te klik.",
    "Tuto3": "Plimoniete van dieselfde kleur smelt saam wanneer hulle aan mekaar raak.",
    "Tuto4": "Voeg al die plimoniete van dieselfde kleur saam om hulle te laat verdwyn.",
    "Tuto6": "Jy wen die spel wanneer al die plimoniete weg is.",
    "Tuto7": "Voilà ! dis al. Die eerste vlakke is baie maklik, die laaste vlakke is baie moeilik. Speel soos jy wil.",
}

# Level codes, par and the daily level (map foot line, victory screen).
SHARING = {
    "Par": "Par",
    "Code": "Kode",
    "Moves": "Skuiwe",
    "Daily": "Daaglikse",
    "Code Level": "Gedeelde vlak",
    "Copied": "Gekopieer:",
    "Copy Hint": "C: kopieer",
    "Paste Hint": "Ctrl+V: speel 'n kode",
    "Par Matched": "Par gehaal !",
    "Par Beaten": "Beter as par !",
    "Code Empty": "Die knipbord bevat geen vlakkode nie",
    "Code Bad": "Hierdie vlakkode is verkeerd getik: kontroleer dit letter vir letter",
    "Code Empty Board": "Hierdie vlakkode beskryf 'n leë bord",
    "Code No Solution": "Geen oplossing gevind vir die vlak van hierdie kode nie",
    "Code Entry Hint": "Tik 'n kode of Ctrl+V   Enter: speel   Esc: sluit",
    # The level editor and its levels' cards.
    "Editor": "Redigeerder",
    "Editor Help": "Klik of Enter: volgende kleur   0-6: kies   U: ontdoen   T: toets   S: stoor   Esc: kieslys",
    "Editor Empty": "Plaas eers 'n paar stukke",
    "Editor Solvable": "Oplosbaar, par",
    "Editor Unsolvable": "Geen oplossing gevind nie: hierdie vlak kan nie gestoor word nie",
    "Editor Saved": "Gestoor: die vlak het sy kaart op die kaart",
    "Editor Not Saved": "Die vlak kon nie gestoor word nie",
    "Editor Deleted": "Vlak geskrap",
    "Custom Hint": "E: redigeer   D: skrap",
}
