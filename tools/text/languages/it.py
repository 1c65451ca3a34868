CODE, NAME, FLAG = "IT", "Italiano", "Italiano.png"
# The credits: who made the game, its licence, and the names of the font and
# library credit lines.
CREDITS = {"by": "i contributori di pLiMo lite", "licence": "Licenza", "font": "Carattere", "libraries": "Librerie"}
# The desktop entry and the AppStream listing (logical order, as Unicode keeps it).
LISTING = {"generic": "Puzzle a tessere", "summary": "Fai scorrere i pezzi colorati finché il tabellone è vuoto", "keywords": "puzzle;tessere;blocchi;logica;"}
TEXTS = {
    "No Browser": "Nessun browser ha potuto aprire la pagina di aiuto",
    "Play": "Gioca", "Rules": "Regole", "Options": "Opzioni", "Quit": "Esci",
    "Style": "Stile", "Language": "Lingua", "Display": "Visualizzazione", "Credits": "Crediti",
    "Quality": "Qualità", "Screen": "Schermo", "High": "Alta", "Low": "Bassa",
    "Windowed": "Finestra", "Center": "Centrato", "Full": "Adattato",
    "Congratulations": "Congratulazioni !", "Well Done": "Ben fatto !",
    "Can Do Better": "OK ! ma...", "Time": "Tempo: ", "Record": "Miglior tempo: ",
    "Old Record": "Vecchio record: ", "New Record": "Nuovo record !",
    "Random Level": "Livello casuale", "Last Time": "Tempo", "Best Time": "Migliore",
    "Next Level": "Livello successivo", "Level Map": "Mappa dei livelli",
    "Style Help": "Sposta uno stile su una casella segnata per quel colore",
    "No Solution": "Da qui non c'è via d'uscita: annulla qualche mossa",
    "No Hint": "Nessun suggerimento trovato",
    "How to play": "Come si gioca",
    "Choose Language": "Scegli la lingua", "One Player": "Un giocatore",
    "Two Players": "Due giocatori", "Random": "Casuale", "Selection": "Selezione",
    "Auto": "Auto", "Easy": "Facile", "Medium": "Medio", "Hard": "Difficile", "Insane": "Folle",
    "Unrecorded Level": "Livello sconosciuto: la vittoria non sarà registrata",
    "Making Level": "Creazione di un nuovo livello...",
    "Editor Testing": "Verifica in corso...",
    "File Kept": "Impossibile leggere questo file: resta com'è e le modifiche di questa sessione non vi vengono salvate:",
    "Link Refused": "Al posto di un file del gioco c'è un collegamento, che non viene seguito:",
    "Tuto0": "Benvenuto in pLiMo @[Tutorial] @Tocca lo schermo o fai clic in un punto qualsiasi per continuare.",
    "Tuto1": "Le plimoniti si spostano con il dito o tenendo premuto il tasto sinistro del mouse.",
    "Tuto2": "Puoi ANNULLARE le mosse con il pulsante ANNULLA o semplicemente con un clic destro.",
    "Tuto3": "Le plimoniti dello stesso colore si fondono quando si uniscono.",
    "Tuto4": "Unisci tutte le plimoniti dello stesso colore per farle sparire.",
    "Tuto6": "Vinci la partita quando tutte le plimoniti sono sparite.",
    "Tuto7": "Voilà ! è tutto. I primi livelli sono facilissimi, gli ultimi difficilissimi. Gioca come vuoi.",
}

# Level codes, par and the daily level (map foot line, victory screen).
SHARING = {
    "Par": "Par",
    "Code": "Codice",
    "Moves": "Mosse",
    "Daily": "Del giorno",
    "Code Level": "Livello condiviso",
    "Copied": "Copiato:",
    "Copy Hint": "C: copia",
    "Paste Hint": "Ctrl+V: gioca un codice",
    "Par Matched": "Par eguagliato !",
    "Par Beaten": "Meglio del par !",
    "Code Empty": "Gli appunti non contengono un codice di livello",
    "Code Bad": "Questo codice di livello è sbagliato: controllalo lettera per lettera",
    "Code Empty Board": "Questo codice di livello descrive un tabellone vuoto",
    "Code No Solution": "Nessuna soluzione trovata per il livello di questo codice",
    "Code Entry Hint": "Digita un codice o Ctrl+V   Invio: gioca   Esc: chiudi",
    # The level editor and its levels' cards.
    "Editor": "Editor",
    "Editor Help": "Clic o Invio: colore seguente   0-6: scegli   U: annulla   T: prova   S: salva   Esc: menu",
    "Editor Empty": "Metti prima qualche pezzo",
    "Editor Solvable": "Risolvibile, par",
    "Editor Unsolvable": "Nessuna soluzione trovata: questo livello non si può salvare",
    "Editor Saved": "Salvato: il livello ha la sua carta sulla mappa",
    "Editor Not Saved": "Impossibile salvare il livello",
    "Editor Deleted": "Livello eliminato",
    "Custom Hint": "E: modifica   D: elimina",
}
