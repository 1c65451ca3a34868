CODE, NAME, FLAG = "CN", "中文", "Chinese.png"
# The credits: who made the game, its licence, and the names of the font and
# library credit lines.
CREDITS = {"by": "pLiMo lite 的贡献者", "licence": "许可证", "font": "字体", "libraries": "程序库"}
# The desktop entry and the AppStream listing (logical order, as Unicode keeps it).
LISTING = {"generic": "方块益智游戏", "summary": "滑动彩色方块，直到棋盘清空", "keywords": "益智;方块;逻辑;"}
COLON = "："
# Chinese has no spaces to wrap at, so long texts carry explicit breaks.
TEXTS = {
    "No Browser": "没有网页浏览器能打开帮助页面",
    "Play": "开始", "Rules": "规则", "Options": "选项", "Quit": "退出",
    "Style": "风格", "Language": "语言", "Display": "显示", "Credits": "制作人员",
    "Quality": "画质", "Screen": "屏幕", "High": "高", "Low": "低",
    "Windowed": "窗口", "Center": "居中", "Full": "最佳适配",
    "Congratulations": "恭喜！", "Well Done": "干得好！",
    "Can Do Better": "还行！不过……", "Time": "时间：", "Record": "最佳时间：",
    "Old Record": "旧纪录：", "New Record": "新纪录！",
    "Random Level": "随机关卡", "Last Time": "时间", "Best Time": "最佳",
    "Next Level": "下一关", "Level Map": "关卡地图",
    "Style Help": "把风格移到标记的格子上，即用于该颜色",
    "No Solution": "赢不了了：撤销一些操作吧",
    "No Hint": "指示不可用",
    "How to play": "游戏规则",
    "Choose Language": "选择语言", "One Player": "单人",
    "Two Players": "双人", "Random": "随机", "Selection": "选择",
    "Auto": "自动", "Easy": "简单", "Medium": "中等", "Hard": "困难", "Insane": "疯狂",
    "Unrecorded Level": "这不是游戏中的关卡：不会有纪录",
    "Making Level": "正在生成新关卡...",
    "Editor Testing": "正在测试...",
    "File Kept": "无法读取此文件：它保持原样，本次运行的更改不会保存到其中：",
    "Link Refused": "游戏文件的位置上是一个链接，不会跟随它：",
    "Tuto0": "欢迎来到 pLiMo @[教程] @触摸屏幕或点击任意位置继续。",
    "Tuto1": "用手指拖动， @或按住鼠标左键拖动， @即可移动方块。",
    "Tuto2": "点击撤销按钮或单击右键， @即可撤销操作。",
    "Tuto3": "相同颜色的方块 @碰到一起就会合并。",
    "Tuto4": "把同一种颜色的方块全部合并， @它们就会消失。",
    "Tuto6": "所有方块都消失后， @你就赢了。",
    "Tuto7": "好了！就是这些。 @前几关非常简单， @最后几关非常困难。 @随心所欲地玩吧。",
}

# Level codes, par and the daily level (map foot line, victory screen).
SHARING = {
    "Par": "标准步数",
    "Code": "关卡码",
    "Moves": "步数",
    "Daily": "每日关卡",
    "Code Level": "分享的关卡",
    "Copied": "已复制：",
    "Copy Hint": "C：复制",
    "Paste Hint": "Ctrl+V：玩关卡码",
    "Par Matched": "达到标准步数！",
    "Par Beaten": "优于标准步数！",
    "Code Empty": "剪贴板里没有关卡码",
    "Code Bad": "关卡码有误：请逐个字符检查",
    "Code Empty Board": "这个关卡码是空棋盘",
    "Code No Solution": "没有找到这个关卡码的解法",
    "Code Entry Hint": "输入关卡码或 Ctrl+V   Enter：开始   Esc：关闭",
    # The level editor and its levels' cards.
    "Editor": "关卡编辑",
    "Editor Help": "点击或 Enter：下一种颜色   0-6：选择   U：撤销   T：测试   S：保存   Esc：菜单",
    "Editor Empty": "请先放几个方块",
    "Editor Solvable": "可以解开，标准步数",
    "Editor Unsolvable": "没有找到解法：这个关卡不能保存",
    "Editor Saved": "已保存：关卡卡片在关卡图上",
    "Editor Not Saved": "无法保存这个关卡",
    "Editor Deleted": "关卡已删除",
    "Custom Hint": "E：编辑   D：删除",
}
