CODE, NAME, FLAG = "FR", "Français", "French.png"
# The credits: who made the game, its licence, and the names of the font and
# library credit lines.
CREDITS = {"by": "les contributeurs de pLiMo lite", "licence": "Licence", "font": "Police", "libraries": "Bibliothèques"}
# The desktop entry and the AppStream listing (logical order, as Unicode keeps it).
LISTING = {"generic": "Puzzle de tuiles", "summary": "Faites glisser des pièces colorées jusqu'à vider le plateau", "keywords": "puzzle;casse-tête;tuiles;blocs;logique;"}
TEXTS = {
    "No Browser": "Aucun navigateur web n'a pu ouvrir la page d'aide",
    "Play": "Jouer", "Rules": "Règles", "Options": "Options", "Quit": "Quitter",
    "Style": "Style", "Language": "Langue", "Display": "Affichage", "Credits": "Crédits",
    "Quality": "Qualité", "Screen": "Écran", "High": "Haute", "Low": "Basse",
    "Windowed": "Fenêtre", "Center": "Centré", "Full": "Plein écran",
    "Congratulations": "Félicitations !", "Well Done": "Bien joué !",
    "Can Do Better": "OK ! mais...", "Time": "Temps : ", "Record": "Meilleur temps : ",
    "Old Record": "Ancien record : ", "New Record": "Nouveau record !",
    "Random Level": "Niveau au hasard", "Last Time": "Temps", "Best Time": "Record",
    "Next Level": "Niveau suivant", "Level Map": "Carte des niveaux",
    "Style Help": "Placez un style sur une case marquée pour cette couleur",
    "No Solution": "Plus aucune issue d'ici : annulez quelques coups",
    "No Hint": "Aucun indice trouvé",
    "How to play": "Comment jouer",
    "Choose Language": "Choisissez votre langue", "One Player": "Un joueur",
    "Two Players": "Deux joueurs", "Random": "Au hasard", "Selection": "Sélection",
    "Auto": "Auto", "Easy": "Facile", "Medium": "Moyen", "Hard": "Difficile", "Insane": "Démentiel",
    "Unrecorded Level": "Niveau inconnu : la victoire ne sera pas enregistrée",
    "Making Level": "Création d'un nouveau niveau...",
    "Editor Testing": "Test en cours...",
    "File Kept": "Impossible de lire ce fichier : il est conservé tel quel et les changements de cette partie n'y sont pas enregistrés :",
    "Link Refused": "Un lien se trouve à la place d'un fichier du jeu et n'est pas suivi :",
    "Tuto0": "Bienvenue dans pLiMo @[Tutoriel] @Touchez l'écran ou cliquez n'importe où pour continuer.",
    "Tuto1": "Les plimonites se déplacent avec le doigt ou en maintenant enfoncé le bouton gauche de la souris.",
    "Tuto2": "Vous pouvez ANNULER des coups avec le bouton ANNULER ou simplement d'un clic droit.",
    "Tuto3": "Les plimonites de même couleur fusionnent quand elles se touchent.",
    "Tuto4": "Réunissez toutes les plimonites d'une même couleur pour les faire disparaître.",
    "Tuto6": "Vous gagnez la partie quand toutes les plimonites ont disparu.",
    "Tuto7": "Voilà ! c'est tout. Les premiers niveaux sont très faciles, les derniers sont très difficiles. Jouez comme vous voulez.",
}

# Level codes, par and the daily level (map foot line, victory screen).
SHARING = {
    "Par": "Par",
    "Code": "Code",
    "Moves": "Coups",
    "Daily": "Du jour",
    "Code Level": "Niveau partagé",
    "Copied": "Copié :",
    "Copy Hint": "C : copier",
    "Paste Hint": "Ctrl+V : jouer un code",
    "Par Matched": "Par égalé !",
    "Par Beaten": "Mieux que le par !",
    "Code Empty": "Le presse-papiers ne contient aucun code de niveau",
    "Code Bad": "Ce code de niveau est mal saisi : vérifiez-le lettre par lettre",
    "Code Empty Board": "Ce code de niveau décrit un plateau vide",
    "Code No Solution": "Aucune solution trouvée pour le niveau de ce code",
    "Code Entry Hint": "Tapez un code ou Ctrl+V   Entrée : jouer   Échap : fermer",
    # The level editor and its levels' cards.
    "Editor": "Éditeur",
    "Editor Help": "Clic ou Entrée : couleur suivante   0-6 : choisir   U : annuler   T : tester   S : enregistrer   Échap : menu",
    "Editor Empty": "Placez d'abord quelques pièces",
    "Editor Solvable": "Faisable, par",
    "Editor Unsolvable": "Aucune solution trouvée : ce niveau ne peut pas être enregistré",
    "Editor Saved": "Enregistré : le niveau a sa carte sur la carte des niveaux",
    "Editor Not Saved": "Le niveau n'a pas pu être enregistré",
    "Editor Deleted": "Niveau supprimé",
    "Custom Hint": "E : modifier   D : supprimer",
}
