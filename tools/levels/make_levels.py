#!/usr/bin/env python3
"""Builds Mivo's levels and the blank level template from code.

    python3 tools/levels/make_levels.py          # writes levels/* and templates/blank

Each level is drawn with the helpers of levelkit (rows counted from the bottom, as in the
game). The replays in tests/levels/ play every level from start to exit: a level changed
here must still pass them.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from levelkit import Level, hill, plant  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

SAGE, ROBOT, FAIRY = "pnj/sage.png", "pnj/robot.png", "pnj/fee.png"


# --- 1: the tutorial -----------------------------------------------------------------------------

def premiers_pas():
    """Walk, run, small and big jumps, blocks and items, a walker and a flyer, the wall jump, the
    spring, the dash, a rail platform and a pair of doors, in that order. Ground surface on row
    5: Mivo walks at y = 6."""
    L = Level(360, 40, "Premiers pas", "1", "prairie.ogg", "base")
    P, D = L.play, L.decor

    # Start meadow.
    L.ground(0, 47, 5)
    L.start(3, 6)
    L.character(5, 6, 2, 3, 0, SAGE,
                "Bienvenue, Mivo !&Marche avec les flèches ← →&(ou A et D).")
    hill(D, 14, 34, 6, 5)
    plant(L, 1, "E")
    plant(L, 9, "C")
    plant(L, 12, "D")
    plant(L, 13, "D")
    plant(L, 19, "J")
    plant(L, 20, "J")
    P.put(22, 6, "HHHHHHHH")  # coins along the way
    plant(L, 34, "F")
    plant(L, 38, "G")
    L.character(40, 6, 2, 2, 0, ROBOT,
                "Ce trou est large !&Maintiens Shift pour courir,&puis saute avec Espace.")

    # The running gap: 12 cells, too wide for a walking jump. A step in the pit leads back.
    P.clear(48, 2, 59, 5)
    P.fill(48, 1, 59, 1, "c")
    P.fill(48, 2, 48, 3, "g")
    P.set(48, 3, "c")
    for i, h in enumerate([2, 4, 5, 6, 6, 6, 5, 4, 2]):
        P.set(50 + i, 7 + h, "H")

    # Small and big jumps: a crate pile for a tap, a stone tower for a held jump, then a hill.
    L.ground(60, 83, 5)
    L.character(62, 6, 2, 3, 0, SAGE,
                "Tape Espace : petit saut.&Maintiens Espace :&tu sautes bien plus haut !")
    P.fill(68, 6, 69, 7, "k")
    P.fill(76, 6, 78, 9, "j")
    plant(L, 72, "D")
    plant(L, 80, "I")
    for i, h in enumerate([1, 2, 3, 3, 2]):
        P.set(66 + i, 9 + h, "H")
    L.ground(84, 103, 11)
    for i, h in enumerate([2, 4, 5, 5, 4]):
        P.set(78 + i, 12 + h, "H")
    # On the hill: an item block, breakable bricks, a hidden block and a one-way shelf.
    P.set(91, 15, "d")
    P.put(94, 15, "bbb")
    P.set(100, 15, "f")
    P.put(99, 17, "H H")
    P.put(85, 17, "hhhh")
    P.put(85, 18, "HHHH")
    plant(L, 85, "C")
    plant(L, 92, "D")
    plant(L, 101, "J")
    L.character(97, 12, 1, 1, 2, FAIRY,
                "Cogne les blocs « ? »&par en dessous !&Les planches se traversent&en sautant.")

    # Lowland with a walker in a trough and a row of spikes.
    L.ground(104, 128, 5)
    P.clear(110, 3, 117, 5)
    P.fill(110, 2, 117, 2, "c")
    P.set(113, 3, "0")
    P.put(124, 6, "AA")
    plant(L, 106, "H")
    plant(L, 107, "H")
    plant(L, 119, "G")
    plant(L, 121, "I")
    hill(D, 104, 128, 6, 4)

    # The wall-jump shaft up to the high meadow.
    L.ground(129, 132, 5)
    P.fill(129, 8, 129, 26, "j")
    L.ground(133, 176, 19)
    P.fill(133, 6, 133, 18, "j")
    for y in (9, 13, 17, 21):
        P.set(131, y, "H")
    L.character(126, 6, 1, 1, 2, FAIRY,
                "Dans le puits, saute&contre un mur pour&rebondir : le saut mural !")
    # The high meadow: time, a gem on a pillar, a flyer to jump over or on.
    P.set(140, 20, "C")
    P.set(150, 20, "r")
    P.set(150, 21, "F")
    P.set(162, 25, "1")
    plant(L, 136, "E")
    plant(L, 144, "D")
    plant(L, 145, "D")
    plant(L, 155, "C")
    plant(L, 168, "K")
    plant(L, 172, "F")
    L.character(146, 20, 2, 3, 0, SAGE,
                "Le sablier rend du temps,&la gemme brille pour rien.&Attention aux chauves-souris !")

    # Down the one-way steps, a spring over the tower, the speed item on a long run.
    L.ground(177, 254, 5)
    P.put(179, 15, "hhhh")
    P.put(185, 11, "hhhh")
    P.put(180, 16, "HH")
    P.put(186, 12, "HH")
    P.set(196, 6, "G")
    P.fill(200, 6, 202, 17, "i")
    P.put(200, 18, "ccc")
    for y in range(20, 30, 3):
        P.set(197, y, "H")
    L.character(191, 6, 2, 2, 0, ROBOT,
                "Un ressort ! Marche dessus&et maintiens → pour passer&par-dessus la tour.")
    P.set(222, 6, "E")
    plant(L, 219, "G")
    for x in (226, 230, 234, 238):
        plant(L, x, "H")
        plant(L, x + 1, "H")
    hill(D, 224, 248, 6, 6)

    # The dash: a low tunnel with a pit four cells wide; its far side is one row lower. A pit
    # with a step before the tunnel takes a fallen player back to its entrance.
    T = 255
    P.clear(T - 5, 2, T - 1, 5)
    P.fill(T - 5, 1, T - 1, 1, "c")
    P.fill(T - 3, 2, T - 3, 3, "g")
    P.set(T - 3, 3, "c")
    P.put(T - 5, 4, "H   H")
    L.ground(T, T + 13, 5)
    P.fill(T + 5, 8, T + 24, 13, "i")
    P.fill(T + 5, 14, T + 24, 14, "c")
    P.clear(T + 10, 2, T + 13, 5)      # the pit
    L.ground(T + 14, T + 27, 4)        # the far side, one row lower
    P.clear(T, 2, T + 9, 3)            # the way back under the tunnel floor
    P.fill(T, 1, T + 13, 1, "c")
    P.put(T + 2, 6, "HHHHHH")
    L.character(T - 7, 8, 2, 2, 1, ROBOT,
                "Tape deux fois vite sur →&pour foncer : le dash !&Il passe là où on ne&peut pas sauter.")
    D.fill(T + 5, 6, T + 24, 7, "o")
    D.fill(T + 10, 2, T + 13, 5, "o")
    D.fill(T + 14, 5, T + 24, 5, "o")
    D.fill(T, 2, T + 9, 3, "o")

    # A rail platform over a pit, then the doors and the exit.
    R = T + 28
    L.ground(R, R + 76, 5)
    P.clear(R + 14, 0, R + 22, 5)
    L.rail([(R + 14, 5), (R + 22, 5)])
    P.set(R + 14, 5, "a")
    for i, h in enumerate([2, 4, 5, 5, 4, 2]):
        P.set(R + 15 + i, 7 + h, "H")
    plant(L, R + 8, "H")
    plant(L, R + 9, "H")
    plant(L, R + 10, "H")
    plant(L, R + 26, "C")
    # The secret room up in the sky, reached through the door on the meadow.
    S = R + 30
    P.fill(S, 26, S + 18, 26, "j")
    P.fill(S, 27, S, 33, "j")
    P.fill(S + 18, 27, S + 18, 33, "j")
    P.fill(S, 34, S + 18, 34, "s")
    D.fill(S + 1, 27, S + 17, 33, "j")
    P.put(S + 6, 27, "HHHHHHH")
    P.put(S + 6, 29, "HHHHHHH")
    P.set(S + 15, 27, "F")
    L.door_pair((S + 2, 6), (S + 2, 27), 1)
    L.character(S + 10, 31, 1, 1, 2, FAIRY, "Une pièce secrète !&Repars par la porte.")
    plant(L, S - 1, "K")
    L.character(S + 5, 6, 2, 3, 0, SAGE,
                "Devant une porte,&appuie sur ↓ pour entrer.&La sortie est juste&à droite !")
    plant(L, S + 10, "D")
    plant(L, S + 11, "D")
    plant(L, S + 12, "J")
    L.exit(S + 22, 5)
    P.fill(R + 76, 6, R + 76, 39, "a")
    plant(L, R + 72, "E")
    return L


# --- 2: the glacier --------------------------------------------------------------------------

def glacier():
    """A crevasse climbed by wall jumps, a chasm crossed on one-way planks (with springs at its
    bottom to come back up), a rail platform, walkers kept in hollows, a flyer, and a spring
    over an ice wall down in the valley of the exit."""
    L = Level(210, 44, "Le glacier", "2", "neige.ogg", "neige")
    P, D = L.play, L.decor

    # Snowy valley.
    L.ground(0, 55, 5)
    L.start(3, 6)
    L.character(7, 6, 2, 2, 0, ROBOT,
                "Brr ! Le glacier est haut.&Grimpe la crevasse en&rebondissant sur ses murs.")
    hill(D, 10, 22, 6, 6, "m", "m")
    hill(D, 33, 50, 6, 8, "c", "g")
    for x, code in ((1, "E"), (13, "E"), (18, "C"), (35, "F"), (40, "E"), (46, "C")):
        plant(L, x, code)
    P.clear(24, 3, 31, 5)  # a hollow with a walker
    P.fill(24, 2, 31, 2, "c")
    P.set(27, 3, "0")
    for i, h in enumerate([2, 4, 5, 5, 4, 2]):
        P.set(25 + i, 8 + h, "H")
    P.put(36, 6, "HHHH")

    # The crevasse: ice walls three cells apart, the cliff on the right.
    P.fill(52, 8, 52, 31, "m")
    L.ground(56, 88, 21)
    P.fill(56, 6, 56, 20, "m")
    for y in (10, 14, 18, 22, 26):
        P.set(54, y, "H")

    # The glacier's top: ice crates, a flyer over the path.
    P.fill(68, 22, 69, 23, "m")
    P.set(68, 24, "H")
    P.set(69, 24, "H")
    P.set(76, 28, "1")
    P.put(72, 22, "HHHHHH")
    hill(D, 58, 86, 22, 5, "m", "m")
    for x, code in ((58, "E"), (69, "F"), (84, "G")):
        plant(L, x, code)
    L.character(80, 22, 1, 1, 2, FAIRY,
                "Les planches se&traversent par en dessous.&Tombé ? Un ressort&te ramène en haut !")

    # The chasm: three one-way planks; springs at the bottom send a fallen player back up.
    L.ground(89, 117, 5)
    P.put(90, 20, "hhhhh")
    P.put(99, 22, "hhhhhh")
    P.put(109, 20, "hhhhh")
    P.put(100, 23, "HHHH")
    for x in (93, 105, 114):
        P.set(x, 6, "G")
    for x, code in ((90, "F"), (97, "J"), (101, "J"), (110, "C")):
        plant(L, x, code)

    # The far ledge, a rail platform over a pit, a walker's hollow.
    L.ground(118, 170, 21)
    P.fill(118, 6, 118, 20, "m")
    P.clear(136, 0, 143, 21)
    L.rail([(136, 21), (143, 21)])
    P.set(136, 21, "a")
    for i, h in enumerate([2, 4, 5, 5, 4, 2]):
        P.set(137 + i, 23 + h, "H")
    P.clear(150, 18, 156, 21)
    P.fill(150, 17, 156, 17, "c")
    P.set(153, 18, "0")
    for x, code in ((121, "E"), (127, "C"), (132, "H"), (133, "H"), (146, "F"), (160, "E"),
                    (166, "G")):
        plant(L, x, code)
    for y in range(20, 8, -3):  # coins show the way down
        P.set(172, y, "H")

    # Down in the valley: a spring over an ice wall, and the exit.
    L.ground(171, 209, 5)
    P.set(181, 6, "G")
    P.fill(185, 6, 187, 23, "m")
    P.put(185, 24, "ccc")
    for y in range(22, 34, 4):
        P.set(182, y, "H")
    L.character(175, 6, 2, 3, 0, SAGE, "Un ressort t'attend.&Garde → enfoncé pour&franchir le mur de glace.")
    hill(D, 197, 208, 6, 5, "m", "m")
    for x, code in ((190, "K"), (206, "E")):
        plant(L, x, code)
    L.exit(195, 5)
    P.fill(209, 6, 209, 43, "m")
    return L


# --- 3: the great valley -----------------------------------------------------------------------

def grande_vallee():
    """A long journey through the height of the valley: down a cave shaft, along the cave (a
    walker, hidden stepping stones to a secret alcove, a rail platform over a pit), up to the
    meadow with a spring, up the cliffs by held jumps, along the heights (flyers, a rail
    platform, a door to a secret coin room) and down again to the exit. The meadow is on row
    30: Mivo walks on it at y = 31."""
    L = Level(420, 64, "La grande vallée", "vallee.png", "prairie.ogg", "base")
    P, D = L.play, L.decor

    # The meadow of the start.
    L.ground(0, 43, 30)
    L.start(4, 31)
    L.character(8, 31, 2, 3, 0, SAGE,
                "La grande vallée !&Descends dans la grotte,&ressors sur les falaises.&Trouve ses secrets.")
    hill(D, 14, 40, 31, 7)
    for x, code in ((1, "E"), (12, "C"), (19, "D"), (20, "D"), (27, "E"), (34, "H"), (35, "H"),
                    (36, "H"), (40, "G")):
        plant(L, x, code)
    P.put(22, 31, "HHHH")

    # Down the shaft into the cave: three ledges, left and right in turn.
    L.ground(44, 130, 30)
    P.clear(44, 8, 55, 30)
    P.fill(44, 25, 52, 25, "p")
    P.fill(47, 19, 55, 19, "p")
    P.fill(44, 13, 52, 13, "p")
    D.fill(44, 8, 55, 30, "o")
    for y in (28, 22, 16, 10):
        P.set(54 if y in (28, 16) else 45, y, "H")

    # The cave.
    P.clear(56, 8, 118, 19)
    P.fill(44, 7, 118, 7, "c")
    D.fill(56, 8, 118, 19, "o")
    # a walker in a hollow
    P.clear(62, 4, 68, 7)
    P.fill(62, 4, 68, 4, "c")
    P.set(65, 5, "0")
    # hidden stepping stones up to a secret alcove in the cave roof
    P.set(76, 12, "f")
    P.set(81, 15, "f")
    P.clear(84, 20, 92, 22)
    D.fill(84, 20, 92, 22, "o")
    P.put(85, 20, "HHHHHHH")
    P.put(85, 21, " HHHHH ")
    # a pit with a rail platform
    P.clear(98, 0, 105, 7)
    L.rail([(98, 7), (105, 7)])
    P.set(98, 7, "a")
    for i, h in enumerate([2, 3, 4, 4, 3, 2]):
        P.set(99 + i, 8 + h, "H")
    L.character(70, 8, 1, 1, 2, FAIRY,
                "Psst ! Des blocs cachés&mènent à une cachette&dans la voûte…")
    P.set(80, 17, "1")

    # Out of the cave: springs on a pedestal under an opening to the meadow.
    P.clear(119, 8, 126, 30)
    P.fill(119, 8, 123, 11, "j")
    P.put(120, 12, "GGG")
    D.fill(119, 8, 126, 30, "o")
    for y in (17, 22, 27, 32):
        P.set(121, y, "H")

    # The meadow under the cliffs: a walker's hollow, a spring to climb back after a fall.
    L.ground(131, 419, 30)
    P.clear(138, 27, 145, 30)
    P.fill(138, 27, 145, 27, "c")
    P.set(141, 28, "0")
    for x, code in ((128, "C"), (134, "D"), (147, "E")):
        plant(L, x, code)
    hill(D, 127, 150, 31, 6)

    # Up the cliffs: three steps of five rows, each a held jump, to the heights on row 50.
    L.character(146, 31, 2, 2, 0, ROBOT,
                "Les falaises ! Chaque&marche demande un saut&bien maintenu.")
    for k, x in enumerate((152, 161, 170)):
        L.ground(x, x + 8, 35 + 5 * k)
        P.fill(x, 31, x, 34 + 5 * k, "p")
        P.put(x + 2, 37 + 5 * k, "HHH")
        plant(L, x + 6, "J")
    L.ground(179, 300, 50)
    P.fill(179, 31, 179, 49, "p")

    # The heights: flyers above the path, a rail platform over a gap (a spring down on the
    # meadow brings a fallen player back up), a door to the secret room, a walker's hollow.
    for x, code in ((182, "E"), (188, "C"), (193, "D"), (194, "D"), (206, "F"), (212, "G"),
                    (228, "E"), (236, "K"), (252, "C"), (266, "E"), (274, "J"), (292, "G")):
        plant(L, x, code)
    P.set(200, 56, "1")
    P.put(196, 51, "HHHHHH")
    P.clear(215, 31, 223, 50)
    L.rail([(215, 50), (223, 50)])
    P.set(215, 50, "a")
    P.set(219, 31, "G")
    D.fill(215, 31, 223, 49, "p")
    for i, h in enumerate([2, 4, 5, 5, 4, 2]):
        P.set(216 + i, 52 + h, "H")
    L.character(244, 51, 2, 3, 0, SAGE,
                "Cette porte mène à&une salle pleine de pièces.&Appuie sur ↓ devant elle.")
    L.door_pair((240, 51), (64, 54), 2)
    P.set(260, 57, "1")
    P.set(270, 55, "f")
    P.clear(280, 47, 286, 50)
    P.fill(280, 47, 286, 47, "c")
    P.set(283, 48, "0")
    hill(D, 246, 300, 51, 6, "p", "i")

    # The secret room, high above the cave's shaft; its door leads back to the heights.
    P.fill(60, 53, 80, 53, "j")
    P.fill(60, 54, 60, 61, "j")
    P.fill(80, 54, 80, 61, "j")
    P.fill(60, 62, 80, 62, "s")
    D.fill(61, 54, 79, 61, "j")
    for y in (54, 56, 58):
        P.put(68, y, "HHHHHHHHH")
    P.set(77, 54, "F")
    P.set(78, 54, "C")
    L.character(72, 60, 1, 1, 2, FAIRY, "Bravo, tu as trouvé&la salle au trésor !")

    # Down from the heights in three steps to the meadow of the exit.
    for k, x in enumerate((301, 310, 319)):
        L.ground(x, x + 8, 45 - 5 * k)
        P.fill(x + 8, 31, x + 8, 44 - 5 * k, "p")
        plant(L, x + 3, "D")
    for x, code in ((332, "E"), (340, "C"), (346, "F"), (352, "H"), (353, "H"), (354, "H"),
                    (366, "E"), (375, "I"), (386, "G"), (395, "K"), (414, "E")):
        plant(L, x, code)
    P.clear(358, 27, 364, 30)
    P.fill(358, 27, 364, 27, "c")
    P.set(361, 28, "0")
    P.put(368, 31, "HHHHHH")
    hill(D, 330, 390, 31, 8)
    L.exit(398, 30)
    P.fill(419, 31, 419, 63, "a")
    return L


# --- 4: the castle ---------------------------------------------------------------------------

def chateau():
    """A castle climbed floor by floor, left and right in turn: one-way planks, a wall-jump
    chimney, a rail platform over a gap, a spring through a hole, doors to the treasury, and the
    exit on the roof. Floor slabs are three rows thick; their tops are rows 17, 31, 45, 59 and
    73 (Mivo walks on them at y = 18, 32, 46, 60 and 74)."""
    L = Level(120, 90, "Le château", "3", "nuit.ogg", "nuit")
    P, D = L.play, L.decor
    tops = [3, 17, 31, 45, 59, 73]

    # Outside: the moat bank and the gate.
    L.ground(0, 119, 3)
    L.start(3, 4)
    for x, code in ((1, "K"), (6, "J"), (7, "F")):
        plant(L, x, code)
    L.character(4, 4, 1, 1, 2, FAIRY, "Le château de la nuit !&Grimpe d'étage en étage&jusqu'au toit.")
    # Walls, floors and the dark stone behind.
    P.fill(10, 4, 12, 75, "j")
    P.fill(107, 4, 109, 75, "j")
    P.clear(10, 4, 12, 6)  # the gate
    D.fill(13, 4, 106, 72, "j")
    D.fill(10, 4, 12, 6, "j")
    for top in tops[1:]:
        P.fill(10, top - 2, 109, top, "j")
    for top in tops[:-1]:
        for x in (30, 60, 90):
            D.fill(x, top + 1, x, top + 11, "r")
    for x in list(range(10, 19, 2)) + list(range(101, 110, 2)):  # battlements
        P.set(x, 74, "j")
        P.set(x, 75, "s")

    # Ground floor: a walk to the right, a plank ladder up through the ceiling.
    P.put(24, 4, "HHHHHH")
    P.fill(40, 4, 41, 5, "k")
    P.set(40, 6, "k")
    P.put(50, 4, "AA")
    P.set(66, 8, "d")
    P.put(70, 8, "bb")
    P.put(98, 8, "hhhhhhh")
    P.put(98, 13, "hhhhhhh")
    P.clear(98, 15, 104, 17)
    P.put(98, 17, "hhhhhhh")
    L.character(90, 4, 2, 3, 0, SAGE, "Les planches se&traversent d'en bas.&Monte, Mivo !")

    # First floor, to the left: a walker's hollow and the wall-jump chimney.
    P.clear(60, 16, 66, 17)
    P.set(63, 16, "0")
    P.put(72, 18, "HHHH")
    P.fill(16, 20, 16, 31, "j")
    P.clear(13, 29, 15, 31)
    for y in (21, 25, 29):
        P.set(14, y, "H")
    L.character(22, 18, 2, 2, 1, ROBOT, "Une cheminée !&Rebondis d'un mur&à l'autre pour monter.")

    # Second floor, to the right: a rail platform over a gap, a spring through the ceiling.
    P.clear(50, 29, 57, 31)
    L.rail([(50, 31), (57, 31)])
    P.set(50, 31, "a")
    for i, h in enumerate([2, 4, 5, 5, 4, 2]):
        P.set(51 + i, 33 + h, "H")
    P.set(75, 37, "1")
    P.put(68, 35, "bdb")
    P.set(100, 32, "G")
    P.clear(97, 43, 103, 45)
    for y in (36, 40, 44, 48):
        P.set(100, y, "H")

    # Third floor, to the left: the doors of the treasury, crates up to a plank in the ceiling.
    P.put(80, 46, "HHHH")
    P.fill(27, 46, 30, 47, "k")
    P.fill(21, 46, 26, 51, "k")
    P.fill(13, 46, 20, 51, "i")
    P.put(14, 55, "hhhhh")
    P.clear(13, 57, 19, 59)
    P.put(13, 59, "hhhhhhh")
    L.door_pair((60, 46), (37, 81), 3)
    L.character(64, 46, 2, 3, 0, SAGE, "Cette porte mène au&trésor du château.&(↓ devant la porte)")

    # Fourth floor, to the right: a walker's hollow, a flyer, planks up to the roof.
    P.clear(50, 58, 56, 59)
    P.set(53, 58, "0")
    P.set(75, 66, "1")
    P.put(62, 60, "HHHHH")
    P.put(92, 64, "hhhhhhh")
    P.put(92, 69, "hhhhhhh")
    P.clear(92, 71, 98, 73)
    P.put(92, 73, "hhhhhhh")

    # The treasury: a room on the roof reached only through its door.
    P.fill(34, 80, 52, 80, "j")
    P.fill(34, 81, 34, 88, "j")
    P.fill(52, 81, 52, 88, "j")
    P.fill(34, 89, 52, 89, "s")
    D.fill(35, 81, 51, 88, "j")
    for y in (81, 83, 85):
        P.put(43, y, "HHHHHHH")
    P.set(50, 81, "F")
    P.set(51, 81, "C")
    L.character(46, 86, 1, 1, 2, FAIRY, "Le trésor du château !&La porte te ramène en bas.")

    # The roof and the exit.
    P.put(70, 74, "HHHH")
    for x in (24, 58, 84):
        plant(L, x, "K", 74)
    L.exit(40, 73)
    return L


# --- the template for new levels --------------------------------------------------------------

def blank():
    """A small level to start from: a floor, the start on the left, the exit on the right."""
    L = Level(60, 30, "Nouveau niveau", "1", "prairie.ogg", "base", createur="")
    L.ground(0, 59, 3)
    L.start(3, 4)
    L.exit(46, 3)
    return L


LEVELS = {
    "1_premiers_pas": premiers_pas,
    "2_glacier": glacier,
    "3_grande_vallee": grande_vallee,
    "4_chateau": chateau,
}


def main():
    for name, build in LEVELS.items():
        build().save(os.path.join(ROOT, "levels", name))
        print("levels/%s" % name)
    blank().save(os.path.join(ROOT, "templates", "blank"))
    print("templates/blank")


if __name__ == "__main__":
    main()
