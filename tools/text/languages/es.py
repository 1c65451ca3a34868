CODE, NAME, FLAG = "ES", "Español", "Espanol.png"
# The credits: who made the game, its licence, and the names of the font and
# library credit lines.
CREDITS = {"by": "los colaboradores de pLiMo lite", "licence": "Licencia", "font": "Fuente", "libraries": "Bibliotecas"}
# The desktop entry and the AppStream listing (logical order, as Unicode keeps it).
LISTING = {"generic": "Puzle de fichas", "summary": "Desliza piezas de colores hasta vaciar el tablero", "keywords": "puzle;rompecabezas;fichas;bloques;lógica;"}
TEXTS = {
    "No Browser": "Ningún navegador web pudo abrir la página de ayuda",
    "Play": "Jugar", "Rules": "Reglas", "Options": "Opciones", "Quit": "Salir",
    "Style": "Estilo", "Language": "Idioma", "Display": "Visualización", "Credits": "Créditos",
    "Quality": "Calidad", "Screen": "Pantalla", "High": "Alta", "Low": "Baja",
    "Windowed": "Ventana", "Center": "Centrado", "Full": "Ajustado",
    "Congratulations": "¡Enhorabuena !", "Well Done": "¡Bien hecho !",
    "Can Do Better": "¡OK ! pero...", "Time": "Tiempo: ", "Record": "Mejor tiempo: ",
    "Old Record": "Récord anterior: ", "New Record": "¡Nuevo récord !",
    "Random Level": "Nivel aleatorio", "Last Time": "Tiempo", "Best Time": "Mejor",
    "Next Level": "Siguiente nivel", "Level Map": "Mapa de niveles",
    "Style Help": "Mueve un estilo a una casilla marcada para ese color",
    "No Solution": "Ya no hay salida desde aquí: deshaz algunos movimientos",
    "No Hint": "No se encontró ninguna pista",
    "How to play": "Cómo jugar",
    "Choose Language": "Elige tu idioma", "One Player": "Un jugador",
    "Two Players": "Dos jugadores", "Random": "Aleatorio", "Selection": "Selección",
    "Auto": "Auto", "Easy": "Fácil", "Medium": "Medio", "Hard": "Difícil", "Insane": "Demencial",
    "Unrecorded Level": "Nivel desconocido: la victoria no se registrará",
    "Making Level": "Creando un nivel nuevo...",
    "Editor Testing": "Probando...",
    "File Kept": "No se puede leer este archivo: se conserva tal cual y los cambios de esta sesión no se guardan en él:",
    "Link Refused": "Hay un enlace en lugar de un archivo del juego y no se sigue:",
    "Tuto0": "Bienvenido a pLiMo @[Tutorial] @Toca la pantalla o haz clic en cualquier sitio para continuar.",
    "Tuto1": "Las plimonitas se mueven con el dedo o manteniendo pulsado el botón izquierdo del ratón.",
    "Tuto2": "Puedes DESHACER movimientos con el botón DESHACER o simplemente con un clic derecho.",
    "Tuto3": "Las plimonitas del mismo color se fusionan cuando se juntan.",
    "Tuto4": "Junta todas las plimonitas del mismo color para hacerlas desaparecer.",
    "Tuto6": "Ganas la partida cuando todas las plimonitas han desaparecido.",
    "Tuto7": "¡Voilà ! eso es todo. Los primeros niveles son muy fáciles, los últimos son muy difíciles. Juega como quieras.",
}

# Level codes, par and the daily level (map foot line, victory screen).
SHARING = {
    "Par": "Par",
    "Code": "Código",
    "Moves": "Movimientos",
    "Daily": "Diario",
    "Code Level": "Nivel compartido",
    "Copied": "Copiado:",
    "Copy Hint": "C: copiar",
    "Paste Hint": "Ctrl+V: jugar un código",
    "Par Matched": "¡Par igualado!",
    "Par Beaten": "¡Mejor que el par!",
    "Code Empty": "El portapapeles no contiene ningún código de nivel",
    "Code Bad": "Este código de nivel está mal escrito: revísalo letra por letra",
    "Code Empty Board": "Este código de nivel describe un tablero vacío",
    "Code No Solution": "No se encontró solución para el nivel de este código",
    "Code Entry Hint": "Escribe un código o Ctrl+V   Intro: jugar   Esc: cerrar",
    # The level editor and its levels' cards.
    "Editor": "Editor",
    "Editor Help": "Clic o Intro: color siguiente   0-6: elegir   U: deshacer   T: probar   S: guardar   Esc: menú",
    "Editor Empty": "Coloca primero algunas piezas",
    "Editor Solvable": "Resoluble, par",
    "Editor Unsolvable": "No se encontró solución: este nivel no se puede guardar",
    "Editor Saved": "Guardado: el nivel tiene su tarjeta en el mapa",
    "Editor Not Saved": "No se pudo guardar el nivel",
    "Editor Deleted": "Nivel borrado",
    "Custom Hint": "E: editar   D: borrar",
}
