CODE, NAME, FLAG = "PT", "Português", "Portuguese.png"
# The credits: who made the game, its licence, and the names of the font and
# library credit lines.
CREDITS = {"by": "os contribuidores do pLiMo lite", "licence": "Licença", "font": "Tipo de letra", "libraries": "Bibliotecas"}
# The desktop entry and the AppStream listing (logical order, as Unicode keeps it).
LISTING = {"generic": "Quebra-cabeças de peças", "summary": "Deslize peças coloridas até o tabuleiro ficar vazio", "keywords": "quebra-cabeças;peças;blocos;lógica;"}
TEXTS = {
    "No Browser": "Nenhum navegador conseguiu abrir a página de ajuda",
    "Play": "Jogar", "Rules": "Regras", "Options": "Opções", "Quit": "Sair",
    "Style": "Estilo", "Language": "Idioma", "Display": "Visualização", "Credits": "Créditos",
    "Quality": "Qualidade", "Screen": "Ecrã", "High": "Alta", "Low": "Baixa",
    "Windowed": "Janela", "Center": "Centrado", "Full": "Ajustado",
    "Congratulations": "Parabéns !", "Well Done": "Muito bem !",
    "Can Do Better": "OK ! mas...", "Time": "Tempo: ", "Record": "Melhor tempo: ",
    "Old Record": "Recorde anterior: ", "New Record": "Novo recorde !",
    "Random Level": "Nível aleatório", "Last Time": "Tempo", "Best Time": "Melhor",
    "Next Level": "Próximo nível", "Level Map": "Mapa de níveis",
    "Style Help": "Mova um estilo para uma casa marcada para essa cor",
    "No Solution": "Daqui já não há saída: anule algumas jogadas",
    "No Hint": "Nenhuma dica encontrada",
    "How to play": "Como jogar",
    "Choose Language": "Escolha o seu idioma", "One Player": "Um jogador",
    "Two Players": "Dois jogadores", "Random": "Aleatório", "Selection": "Seleção",
    "Auto": "Auto", "Easy": "Fácil", "Medium": "Médio", "Hard": "Difícil", "Insane": "Insano",
    "Unrecorded Level": "Nível desconhecido: a vitória não será registada",
    "Making Level": "A criar um novo nível...",
    "Editor Testing": "A testar...",
    "File Kept": "Não é possível ler este ficheiro - fica como está e as alterações desta sessão não são guardadas nele:",
    "Link Refused": "Uma ligação está no lugar de um ficheiro do jogo e não é seguida:",
    "Tuto0": "Bem-vindo ao pLiMo @[Tutorial] @Toque no ecrã ou clique em qualquer lado para continuar.",
    "Tuto1": "As plimonites movem-se com o dedo ou mantendo premido o botão esquerdo do rato.",
    "Tuto2": "Pode ANULAR jogadas com o botão ANULAR ou simplesmente clicando com o botão direito.",
    "Tuto3": "As plimonites da mesma cor fundem-se quando se juntam.",
    "Tuto4": "Junte todas as plimonites da mesma cor para as fazer desaparecer.",
    "Tuto6": "Ganha o jogo quando todas as plimonites tiverem desaparecido.",
    "Tuto7": "Voilà ! é tudo. Os primeiros níveis são muito fáceis, os últimos são muito difíceis. Jogue como quiser.",
}

# Level codes, par and the daily level (map foot line, victory screen).
SHARING = {
    "Par": "Par",
    "Code": "Código",
    "Moves": "Jogadas",
    "Daily": "Do dia",
    "Code Level": "Nível partilhado",
    "Copied": "Copiado:",
    "Copy Hint": "C: copiar",
    "Paste Hint": "Ctrl+V: jogar um código",
    "Par Matched": "Par igualado !",
    "Par Beaten": "Melhor que o par !",
    "Code Empty": "A área de transferência não tem um código de nível",
    "Code Bad": "Este código de nível está mal escrito: verifique-o letra a letra",
    "Code Empty Board": "Este código de nível descreve um tabuleiro vazio",
    "Code No Solution": "Nenhuma solução encontrada para o nível deste código",
    "Code Entry Hint": "Escreva um código ou Ctrl+V   Enter: jogar   Esc: fechar",
    # The level editor and its levels' cards.
    "Editor": "Editor",
    "Editor Help": "Clique ou Enter: cor seguinte   0-6: escolher   U: desfazer   T: testar   S: guardar   Esc: menu",
    "Editor Empty": "Coloque primeiro algumas peças",
    "Editor Solvable": "Resolúvel, par",
    "Editor Unsolvable": "Nenhuma solução encontrada: este nível não pode ser guardado",
    "Editor Saved": "Guardado: o nível tem o seu cartão no mapa",
    "Editor Not Saved": "Não foi possível guardar o nível",
    "Editor Deleted": "Nível apagado",
    "Custom Hint": "E: editar   D: apagar",
}
