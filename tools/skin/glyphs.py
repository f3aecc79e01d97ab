"""Pixel-art shapes drawn into the skin: the Korean button words (one syllable each, 12 pixels tall, in
the manner of a 12-pixel screen font), the symbols of the icons and a tiny Latin face for the caption.
'#' is ink, '.' is paper; every row of a glyph has the same length."""

HANGUL = {
    "확": [
        "...#....#.",
        ".#####..#.",
        "..###...#.",
        ".#...#..##",
        "..###...#.",
        "...#....#.",
        "#######.#.",
        "..........",
        ".########.",
        "........#.",
        "........#.",
        "........#.",
    ],
    "인": [
        "..###...#.",
        ".#...#..#.",
        "#.....#.#.",
        "#.....#.#.",
        ".#...#..#.",
        "..###...#.",
        "........#.",
        "..........",
        ".#........",
        ".#........",
        ".#........",
        ".########.",
    ],
    "취": [
        "...#....#.",
        ".#####..#.",
        "...#....#.",
        "..#.#...#.",
        ".#...#..#.",
        "#.....#.#.",
        "........#.",
        "#######.#.",
        "...#....#.",
        "...#....#.",
        "...#....#.",
        "........#.",
    ],
    "소": [
        ".....#.....",
        ".....#.....",
        "....#.#....",
        "...#...#...",
        "..#.....#..",
        ".#.......#.",
        "...........",
        ".....#.....",
        ".....#.....",
        ".....#.....",
        "###########",
        "...........",
    ],
}

# Symbols of the 41 x 32 body icons.
LARGE = {
    "?": [
        "..####..",
        ".######.",
        "##....##",
        "##....##",
        ".....##.",
        "....##..",
        "...##...",
        "...##...",
        "...##...",
        "........",
        "...##...",
        "...##...",
    ],
    "i": [
        ".##.",
        ".##.",
        "....",
        "###.",
        ".##.",
        ".##.",
        ".##.",
        ".##.",
        ".##.",
        ".##.",
        "####",
    ],
    "!": [
        "###",
        "###",
        "###",
        "###",
        "###",
        "###",
        ".#.",
        "...",
        "###",
        "###",
    ],
}

# Symbols of the 26 x 38 title marks.
SMALL = {
    "?": [
        ".###.",
        "#...#",
        "....#",
        "...#.",
        "..#..",
        ".....",
        "..#..",
    ],
    "i": [
        "#",
        ".",
        "#",
        "#",
        "#",
        "#",
        "#",
    ],
    "!": [
        "##",
        "##",
        "##",
        "##",
        "..",
        "##",
    ],
}

# Seven rows: capitals fill them, lower case takes the bottom five, the dot of i sits on top.
LATIN = {
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "i": ["#", ".", "#", "#", "#", "#", "#"],
    "v": ["#...#", "#...#", ".#.#.", ".#.#.", "..#.."],
    "o": [".##.", "#..#", "#..#", "#..#", ".##."],
    "r": ["#.##", "##..", "#...", "#...", "#..."],
    "a": [".##.", "...#", ".###", "#..#", ".###"],
}


def size(glyph):
    return len(glyph[0]), len(glyph)


def latin_line(text):
    """The glyphs of `text` on a common seven-row baseline, one blank column apart."""
    rows = [""] * 7
    for n, ch in enumerate(text):
        glyph = LATIN[ch]
        glyph = ["." * len(glyph[0])] * (7 - len(glyph)) + glyph
        rows = [r + ("." if n else "") + g for r, g in zip(rows, glyph)]
    return rows


def word(syllables, gap):
    """Hangul syllables side by side, `gap` blank columns apart, on a common top line."""
    glyphs = [HANGUL[s] for s in syllables]
    height = max(len(g) for g in glyphs)
    rows = [""] * height
    for n, g in enumerate(glyphs):
        rows = [r + ("." * gap if n else "") + g[i] for i, r in enumerate(rows)]
    return rows
