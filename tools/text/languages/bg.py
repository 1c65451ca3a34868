CODE, NAME, FLAG = "BG", "Български", "Bulgarian.png"
# The credits: who made the game, its licence, and the names of the font and
# library credit lines.
CREDITS = {"by": "сътрудниците на pLiMo lite", "licence": "Лиценз", "font": "Шрифт", "libraries": "Библиотеки"}
# The desktop entry and the AppStream listing (logical order, as Unicode keeps it).
LISTING = {"generic": "Пъзел с плочки", "summary": "Плъзгайте цветни фигури, докато дъската се изпразни", "keywords": "пъзел;плочки;блокове;логика;"}
TEXTS = {
    "No Browser": "Нито един браузър не успя да отвори помощната страница",
    "Play": "Играй", "Rules": "Правила", "Options": "Настройки", "Quit": "Изход",
    "Style": "Стил", "Language": "Език", "Display": "Дисплей", "Credits": "Автори",
    "Quality": "Качество", "Screen": "Екран", "High": "Високо", "Low": "Ниско",
    "Windowed": "В прозорец", "Center": "Центрирано", "Full": "Най-добро",
    "Congratulations": "Поздравления !", "Well Done": "Браво !",
    "Can Do Better": "Добре ! но...", "Time": "Време: ", "Record": "Най-добро време: ",
    "Old Record": "Стар рекорд: ", "New Record": "Нов рекорд !",
    "Random Level": "Случайно ниво", "Last Time": "Време", "Best Time": "Рекорд",
    "Next Level": "Следващо ниво", "Level Map": "Карта на нивата",
    "Style Help": "Преместете стил в отбелязана клетка за този цвят",
    "No Solution": "Оттук няма изход: отменете няколко хода",
    "No Hint": "Не е намерена подсказка",
    "How to play": "Как се играе",
    "Choose Language": "Изберете език", "One Player": "Един играч",
    "Two Players": "Двама играчи", "Random": "Случайно", "Selection": "Избор",
    "Auto": "Авто", "Easy": "Лесно", "Medium": "Средно", "Hard": "Трудно", "Insane": "Безумно",
    "Unrecorded Level": "Непознато ниво: победата няма да се запише",
    "Making Level": "Създава се ново ниво...",
    "Editor Testing": "Проверка...",
    "File Kept": "Този файл не може да се прочете - остава какъвто е и промените от тази игра не се записват в него:",
    "Link Refused": "На мястото на файл на играта стои връзка и тя не се следва:",
    "Tuto0": "Добре дошли в pLiMo @[Урок] @Докоснете екрана или щракнете някъде, за да продължите.",
    "Tuto1": "Плимонитите се местят с пръст или като задържите левия бутон на мишката.",
    "Tuto2": "Можете да ОТМЕНЯТЕ ходове с бутона ОТМЕНИ или просто с десен клик.",
    "Tuto3": "Плимонитите с еднакъв цвят се сливат, когато се допрат.",
    "Tuto4": "Съберете всички плимонити от един цвят, за да изчезнат.",
    "Tuto6": "Печелите играта, когато всички плимонити изчезнат.",
    "Tuto7": "Voilà ! това е всичко. Първите нива са много лесни, последните са много трудни. Играйте както искате.",
}

# Level codes, par and the daily level (map foot line, victory screen).
SHARING = {
    "Par": "Пар",
    "Code": "Код",
    "Moves": "Ходове",
    "Daily": "Дневно",
    "Code Level": "Споделено ниво",
    "Copied": "Копирано:",
    "Copy Hint": "C: копиране",
    "Paste Hint": "Ctrl+V: игра по код",
    "Par Matched": "Пар изравнен !",
    "Par Beaten": "По-добре от пар !",
    "Code Empty": "В клипборда няма код на ниво",
    "Code Bad": "Този код на ниво е сгрешен: проверете го знак по знак",
    "Code Empty Board": "Този код на ниво описва празна дъска",
    "Code No Solution": "Не е намерено решение за нивото на този код",
    "Code Entry Hint": "Въведете код или Ctrl+V   Enter: игра   Esc: затваряне",
    # The level editor and its levels' cards.
    "Editor": "Редактор",
    "Editor Help": "Клик или Enter: следващ цвят   0-6: избор   U: отмяна   T: проба   S: запис   Esc: меню",
    "Editor Empty": "Първо поставете няколко плочки",
    "Editor Solvable": "Решимо, пар",
    "Editor Unsolvable": "Не е намерено решение: това ниво не може да се запише",
    "Editor Saved": "Записано: нивото има своя карта на картата",
    "Editor Not Saved": "Нивото не можа да се запише",
    "Editor Deleted": "Нивото е изтрито",
    "Custom Hint": "E: редакция   D: изтриване",
}
