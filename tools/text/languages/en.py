CODE, NAME, FLAG = "EN", "English", "English.png"
# The credits: who made the game, its licence, and the names of the font and
# library credit lines.
CREDITS = {"by": "the pLiMo lite contributors", "licence": "Licence", "font": "Font", "libraries": "Libraries"}
# The desktop entry and the AppStream listing (logical order, as Unicode keeps it).
LISTING = {"generic": "Tile puzzle", "summary": "Slide coloured pieces together until the board is empty", "keywords": "puzzle;tiles;blocks;logic;"}
TEXTS = {
    "No Browser": "No web browser could open the help page",
    "Play": "Play", "Rules": "Rules", "Options": "Options", "Quit": "Quit",
    "Style": "Style", "Language": "Language", "Display": "Display", "Credits": "Credits",
    "Quality": "Quality", "Screen": "Screen", "High": "High", "Low": "Low",
    "Windowed": "Windowed", "Center": "Centered", "Full": "Best Fit",
    "Congratulations": "Congratulations !", "Well Done": "Well Done !",
    "Can Do Better": "OK ! but...", "Time": "Time: ", "Record": "Best Time: ",
    "Old Record": "Old Record: ", "New Record": "New Record !",
    "Random Level": "Random Level", "Last Time": "Time", "Best Time": "Best",
    "Next Level": "Next Level", "Level Map": "Level Map",
    "Style Help": "Move a style onto a marked cell to use it for that colour",
    "No Solution": "No way out from here: undo a few moves",
    "No Hint": "No hint found",
    "How to play": "How to play",
    "Choose Language": "Choose your language", "One Player": "One Player",
    "Two Players": "Two Players", "Random": "Random", "Selection": "Selection",
    "Auto": "Auto", "Easy": "Easy", "Medium": "Medium", "Hard": "Hard", "Insane": "Insane",
    "Unrecorded Level": "Unknown level: its win is not recorded",
    "Making Level": "Making a new level...",
    "Editor Testing": "Testing...",
    "File Kept": "Can't read this file - it is kept as it is, and this run's changes are not saved to it:",
    "Link Refused": "A link stands in place of a game file and is not followed:",
    "Tuto0": "Welcome to pLiMo @[Tutorial] @Touch the screen or click anywhere to continue.",
    "Tuto1": "Plimonites are moved with the finger or by holding down the left mouse button.",
    "Tuto2": "You can UNDO moves with the UNDO button or simply by right-clicking.",
    "Tuto3": "Plimonites of the same color merge when joined together.",
    "Tuto4": "Merge all plimonites of the same color to make them disappear.",
    "Tuto6": "You win the game when all plimonites are gone.",
    "Tuto7": "Voilà ! that's all. The first levels are very easy, the last levels are very difficult. Play as you want.",
}

# Level codes, par and the daily level (map foot line, victory screen).
SHARING = {
    "Par": "Par",
    "Code": "Code",
    "Moves": "Moves",
    "Daily": "Daily",
    "Code Level": "Shared Level",
    "Copied": "Copied:",
    "Copy Hint": "C: copy",
    "Paste Hint": "Ctrl+V: play a code",
    "Par Matched": "Par matched !",
    "Par Beaten": "Better than par !",
    "Code Empty": "The clipboard holds no level code",
    "Code Bad": "This level code is mistyped: check it letter by letter",
    "Code Empty Board": "This level code holds an empty board",
    "Code No Solution": "No solution found for the level of this code",
    "Code Entry Hint": "Type a code or Ctrl+V   Enter: play   Esc: close",
    # The level editor and its levels' cards.
    "Editor": "Editor",
    "Editor Help": "Click or Enter: next colour   0-6: set   U: undo   T: test   S: save   Esc: menu",
    "Editor Empty": "Place some pieces first",
    "Editor Solvable": "Solvable, par",
    "Editor Unsolvable": "No solution found: this level cannot be saved",
    "Editor Saved": "Saved: the level has its card on the map",
    "Editor Not Saved": "The level could not be saved",
    "Editor Deleted": "Level deleted",
    "Custom Hint": "E: edit   D: delete",
}
