# Written here in reading order; the generator stores every text in visual
# order (each line reversed), because the game draws all text left to right.
# Long texts carry explicit breaks so that no line is ever wrapped.
CODE, NAME, FLAG = "HE", "עברית", "Hebrew.png"
RIGHT_TO_LEFT = True
# The credits: who made the game, its licence, and the names of the font and
# library credit lines.
CREDITS = {"by": "התורמים של pLiMo lite", "licence": "רישיון", "font": "גופן", "libraries": "ספריות"}
# The desktop entry and the AppStream listing (logical order, as Unicode keeps it).
LISTING = {"generic": "פאזל אריחים", "summary": "החליקו חלקים צבעוניים עד שהלוח מתרוקן", "keywords": "פאזל;אריחים;לבנים;היגיון;"}
TEXTS = {
    "No Browser": "אף דפדפן לא הצליח לפתוח את דף העזרה",
    "Play": "שחקו", "Rules": "חוקים", "Options": "אפשרויות", "Quit": "יציאה",
    "Style": "סגנון", "Language": "שפה", "Display": "תצוגה", "Credits": "קרדיטים",
    "Quality": "איכות", "Screen": "מסך", "High": "גבוהה", "Low": "נמוכה",
    "Windowed": "חלון", "Center": "ממורכז", "Full": "התאמה מיטבית",
    "Congratulations": "מזל טוב !", "Well Done": "כל הכבוד !",
    "Can Do Better": "בסדר ! אבל...", "Time": "זמן: ", "Record": "הזמן הטוב ביותר: ",
    "Old Record": "שיא קודם: ", "New Record": "שיא חדש !",
    "Random Level": "שלב אקראי", "Last Time": "זמן", "Best Time": "שיא",
    "Next Level": "השלב הבא", "Level Map": "מפת השלבים",
    "Style Help": "הזיזו סגנון אל משבצת מסומנת כדי לתת אותו לצבע שלה",
    "No Solution": "אין מכאן דרך החוצה: בטלו כמה מהלכים",
    "No Hint": "לא נמצא רמז",
    "How to play": "איך משחקים",
    "Choose Language": "בחרו שפה", "One Player": "שחקן אחד",
    "Two Players": "שני שחקנים", "Random": "אקראי", "Selection": "בחירה",
    "Auto": "אוטומטי", "Easy": "קל", "Medium": "בינוני", "Hard": "קשה", "Insane": "מטורף",
    "Unrecorded Level": "שלב לא מוכר: הניצחון לא יירשם",
    "Making Level": "יוצר שלב חדש...",
    "Editor Testing": "בודק...",
    "File Kept": "לא ניתן לקרוא את הקובץ הזה - הוא נשאר כפי שהוא, והשינויים של הפעלה זו לא יישמרו בו:",
    "Link Refused": "במקום קובץ של המשחק יש קישור, והמשחק לא עוקב אחריו:",
    "Tuto0": "ברוכים הבאים ל-pLiMo @[הדרכה] @געו במסך או לחצו במקום כלשהו @כדי להמשיך.",
    "Tuto1": "מזיזים את הפלימוניטים באצבע @או בלחיצה ממושכת @על הכפתור השמאלי של העכבר.",
    "Tuto2": "אפשר לבטל מהלכים בכפתור הביטול @או פשוט בלחיצה ימנית.",
    "Tuto3": "פלימוניטים באותו צבע @מתמזגים כשהם נוגעים זה בזה.",
    "Tuto4": "מזגו את כל הפלימוניטים @באותו צבע כדי שייעלמו.",
    "Tuto6": "מנצחים כשכל הפלימוניטים @נעלמו מהלוח.",
    "Tuto7": "הנה ! זה הכול. @השלבים הראשונים קלים מאוד, @השלבים האחרונים קשים מאוד. @שחקו איך שבא לכם.",
}

# Level codes, par and the daily level (map foot line, victory screen).
SHARING = {
    "Par": "פאר",
    "Code": "קוד",
    "Moves": "מהלכים",
    "Daily": "יומי",
    "Code Level": "שלב משותף",
    "Copied": "הועתק:",
    "Copy Hint": "C: העתקה",
    "Paste Hint": "Ctrl+V: משחק לפי קוד",
    "Par Matched": "השוואת את הפאר !",
    "Par Beaten": "טוב יותר מהפאר !",
    "Code Empty": "אין קוד שלב בלוח ההעתקה",
    "Code Bad": "קוד השלב שגוי: בדקו אותו אות אחר אות",
    "Code Empty Board": "קוד השלב מתאר לוח ריק",
    "Code No Solution": "לא נמצא פתרון לשלב של הקוד הזה",
    "Code Entry Hint": "הקלידו קוד או Ctrl+V   Enter: משחק   Esc: סגירה",
    # The level editor and its levels' cards.
    "Editor": "עורך",
    "Editor Help": "לחיצה או Enter: הצבע הבא   0-6: בחירה   U: ביטול   T: בדיקה   S: שמירה   Esc: תפריט",
    "Editor Empty": "הניחו קודם כמה חלקים",
    "Editor Solvable": "פתיר, פאר",
    "Editor Unsolvable": "לא נמצא פתרון: אי אפשר לשמור את השלב",
    "Editor Saved": "נשמר: לשלב יש כרטיס במפה",
    "Editor Not Saved": "לא ניתן היה לשמור את השלב",
    "Editor Deleted": "השלב נמחק",
    "Custom Hint": "E: עריכה   D: מחיקה",
}
