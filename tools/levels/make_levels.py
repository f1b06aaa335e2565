#!/usr/bin/env python3
"""Builds Mivo's levels and the blank level template from code.

    python3 tools/levels/make_levels.py          # writes levels/* and templates/blank

Each level is drawn with the helpers of levelkit (rows counted from the bottom, as in the
game). The replays in tests/levels/ play every level from start to exit with the enemies and
the rail platforms running, and fail at an enemy's first touch: a level changed here must still
pass them.

Habits that keep the levels fair: a hedgehog walks its own stretch between two blocks one row
high (it turns at them, and would otherwise wander off ledges, up to the start or under a
drop); a bat flies at head height where it should be jumped over or dashed through, never over
a landing. A platform that moves up or down keeps carrying its rider sideways by its last step
along the rail, so a vertical run has a wall beside it on that side, or is a straight vertical
rail, which never moves sideways.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from levelkit import Level, hill, plant  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

SAGE, ROBOT, FAIRY = "pnj/sage.png", "pnj/robot.png", "pnj/fee.png"


# --- 1: the tutorial -----------------------------------------------------------------------------

def premiers_pas():
    """Walk, run, small and big jumps, blocks and items, a hedgehog to jump over or land on, the
    wall jump, a bat to jump over, the spring, a feather up to a shelf of treasures, the dash
    (across a pit, then through a hedgehog in a dip too low to jump in), a platform ride over a
    pit far too wide to jump, and a pair of doors, in that order. Ground surface on row 5: Mivo
    walks at y = 6."""
    L = Level(380, 40, "Premiers pas", "1", "prairie.ogg", "base")
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

    # The lowland: a hedgehog walks to and fro between the hill and the shaft's wall, over a row
    # of spikes. Jump over it, or come down on it to beat it.
    L.ground(104, 128, 5)
    P.set(118, 6, "0")
    P.put(124, 6, "AA")
    plant(L, 106, "H")
    plant(L, 107, "H")
    plant(L, 119, "G")
    plant(L, 121, "I")
    hill(D, 104, 128, 6, 4)
    L.character(100, 12, 2, 2, 0, ROBOT,
                "Un hérisson ! Saute&par-dessus, ou retombe&sur lui pour le battre.")

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
    P.set(162, 21, "1")
    plant(L, 136, "E")
    plant(L, 144, "D")
    plant(L, 145, "D")
    plant(L, 155, "C")
    plant(L, 168, "K")
    plant(L, 172, "F")
    L.character(146, 20, 2, 3, 0, SAGE,
                "Le sablier rend du temps,&la gemme brille pour rien.&Une chauve-souris : saute&par-dessus, ou sur elle !")

    # Down the one-way steps, a spring over the tower, a feather up to a shelf of treasures (a
    # bonus: the shelf is made of planks, jumped through from below), the speed item on a long
    # run.
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
    P.set(219, 6, "D")
    P.put(225, 22, "hhhhhhhhhhhhh")
    P.put(226, 23, "HHHH CC HHHH")
    P.put(231, 24, "FF")
    L.character(214, 6, 1, 1, 2, FAIRY,
                "Une plume ! Elle te fait&bondir très haut, une fois.&Garde → enfoncé pour&atteindre les planches.")
    P.set(222, 6, "E")
    plant(L, 212, "G")
    for x in (226, 230, 234, 238):
        plant(L, x, "H", 6)
        plant(L, x + 1, "H", 6)
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

    # A hedgehog in a low dip: the ceiling leaves no room to jump over it, so dash through it
    # (or, from the dip's open left end, jump as it turns and come down on it).
    R = T + 28
    L.ground(R, R + 19, 5)
    C = R + 4
    P.clear(C, 5, C + 9, 5)
    P.put(C, 4, "cccccccccc")
    P.fill(C + 1, 7, C + 8, 8, "l")
    D.fill(C + 1, 5, C + 8, 6, "l")
    P.set(C + 6, 5, "0")
    P.put(R, 6, "HHH")
    L.character(R - 2, 5, 2, 2, 0, ROBOT,
                "Pas de place pour sauter :&fonce à travers le hérisson&(deux fois → très vite) !")

    # The straight rail: a platform carries Mivo over a pit far too wide to jump, to a ledge
    # three rows higher. A fallen player jumps back out on the near side.
    L.ground(R + 20, R + 41, 1)
    P.clear(R + 20, 2, R + 41, 5)
    L.rail([(R + 20, 5), (R + 40, 5)])
    P.set(R + 20, 5, "a")
    for i, h in enumerate([2, 3, 4, 4, 3, 2]):
        P.set(R + 28 + i, 8 + h, "H")
    D.fill(R + 20, 2, R + 41, 4, "o")
    L.character(R + 14, 6, 2, 3, 0, SAGE,
                "Monte sur la plateforme :&elle te porte de l'autre côté.&Saute sur la corniche&au bout du rail.")
    plant(L, R + 15, "C")
    plant(L, R + 17, "H")
    F = R + 42  # the far ledge, up to the exit
    L.ground(F, F + 54, 8)
    plant(L, F + 2, "E")
    # The secret room up in the sky, reached through the door on the ledge.
    S = F + 8
    P.fill(S, 29, S + 18, 29, "j")
    P.fill(S, 30, S, 36, "j")
    P.fill(S + 18, 30, S + 18, 36, "j")
    P.fill(S, 37, S + 18, 37, "s")
    D.fill(S + 1, 30, S + 17, 36, "j")
    P.put(S + 6, 30, "HHHHHHH")
    P.put(S + 6, 32, "HHHHHHH")
    P.set(S + 15, 30, "F")
    L.door_pair((S + 2, 9), (S + 2, 30), 1)
    L.character(S + 10, 34, 1, 1, 2, FAIRY, "Une pièce secrète !&Repars par la porte.")
    plant(L, S - 1, "K")
    L.character(S + 5, 9, 2, 3, 0, SAGE,
                "Devant une porte,&appuie sur ↓ pour entrer.&La sortie est juste&à droite !")
    plant(L, S + 10, "D", 9)
    plant(L, S + 11, "D", 9)
    plant(L, S + 12, "J", 9)
    L.exit(S + 24, 8)
    P.fill(F + 54, 9, F + 54, 39, "a")
    plant(L, F + 51, "E")
    return L


# --- 2: the glacier --------------------------------------------------------------------------

def glacier():
    """A crevasse climbed by wall jumps, hedgehogs walking the valleys and the ledges between
    blocks of ice, a bat over the glacier's top, a chasm crossed on one-way planks (with springs
    at its bottom to come back up), and a lift down the glacier's far side: its rail turns from
    the shaft into a bridge over a bottomless gap, under an ice wall that no jump can pass."""
    L = Level(210, 44, "Le glacier", "2", "neige.ogg", "neige")
    P, D = L.play, L.decor

    # Snowy valley: a hedgehog walks between two blocks of ice, never up to the start.
    L.ground(0, 55, 5)
    L.start(3, 6)
    L.character(7, 6, 2, 2, 0, ROBOT,
                "Brr ! Le glacier est haut.&Grimpe la crevasse en&rebondissant sur ses murs.")
    hill(D, 10, 22, 6, 6, "m", "m")
    hill(D, 33, 50, 6, 8, "c", "g")
    P.set(20, 6, "m")
    P.set(42, 6, "m")
    P.set(36, 6, "0")
    for x, code in ((1, "E"), (13, "E"), (17, "C"), (35, "F"), (45, "E"), (49, "C")):
        plant(L, x, code)
    for i, h in enumerate([2, 4, 5, 5, 4, 2]):
        P.set(25 + i, 8 + h, "H")
    P.put(45, 6, "HHHH")

    # The crevasse: ice walls three cells apart, the cliff on the right.
    P.fill(52, 8, 52, 31, "m")
    L.ground(56, 88, 21)
    P.fill(56, 6, 56, 20, "m")
    for y in (10, 14, 18, 22, 26):
        P.set(54, y, "H")

    # The glacier's top: ice crates, then a bat flying to and fro at head height.
    P.fill(68, 22, 69, 23, "m")
    P.set(68, 24, "H")
    P.set(69, 24, "H")
    P.set(79, 23, "1")
    for i, h in enumerate([3, 5, 6, 6, 5, 3]):
        P.set(76 + i, 22 + h, "H")
    hill(D, 58, 86, 22, 5, "m", "m")
    for x, code in ((58, "E"), (65, "F"), (86, "G")):
        plant(L, x, code)
    L.character(71, 22, 1, 1, 2, FAIRY,
                "Une chauve-souris !&Saute par-dessus,&ou fonce à travers.")
    L.character(84, 22, 1, 1, 2, FAIRY,
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

    # The far ledge: a hedgehog between two blocks of ice.
    L.ground(118, 151, 21)
    P.fill(118, 6, 118, 20, "m")
    P.set(123, 22, "m")
    P.set(146, 22, "m")
    P.set(135, 22, "0")
    P.put(128, 25, "HHH")
    P.put(140, 25, "HHH")
    for x, code in ((120, "E"), (127, "C"), (132, "H"), (133, "H"), (142, "F"), (149, "K")):
        plant(L, x, code)

    # The lift: down a shaft between the ledge and a hanging ice wall, round the corner and
    # out along a bridge over the bottomless gap. The wall reaches the sky, so the only way on
    # is the platform; it stands level with the ledge at the top of its run.
    L.rail([(152, 21), (152, 6), (166, 6)])
    P.set(152, 21, "a")
    P.fill(153, 9, 154, 43, "m")
    D.fill(153, 7, 154, 8, "m")
    D.fill(152, 0, 167, 5, "m")  # the dark depths of the gap
    P.put(157, 9, "HHHHHHHH")
    L.character(147, 22, 2, 2, 0, ROBOT,
                "Un ascenseur ! Attends qu'il&remonte, monte dessus et&laisse-toi porter.")

    # Down in the valley: a hedgehog guards a spring over an ice wall, and the exit.
    L.ground(168, 209, 5)
    P.set(170, 6, "m")
    P.set(178, 6, "0")
    P.set(181, 6, "G")
    P.fill(185, 6, 187, 23, "m")
    P.put(185, 24, "ccc")
    for y in range(22, 34, 4):
        P.set(182, y, "H")
    L.character(172, 6, 2, 3, 0, SAGE, "Un ressort t'attend.&Garde → enfoncé pour&franchir le mur de glace.")
    hill(D, 197, 208, 6, 5, "m", "m")
    for x, code in ((190, "K"), (206, "E")):
        plant(L, x, code)
    L.exit(195, 5)
    P.fill(209, 6, 209, 43, "m")
    return L


# --- 3: the great valley -----------------------------------------------------------------------

def grande_vallee():
    """A long journey through the height of the valley: down a cave shaft, along the cave (a
    hedgehog in a trench, hidden stepping stones to a secret pocket guarded by a bat, a rail
    platform over a pit), up to the meadow with springs, past a hedgehog between two pipes, up
    the cliffs by held jumps, along the heights under a bat, and over the Great Chasm on three
    platforms, none of which can be skipped: a straight rail, a turning one that drops behind
    a hanging rock, and a bent one. A feather lifts Mivo to a shelf of treasures on the far
    side, and the way to the exit goes down past two more hedgehogs. The meadow is on row 30:
    Mivo walks on it at y = 31."""
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

    # The cave, its floor of wormy earth.
    P.clear(56, 8, 118, 19)
    P.fill(44, 7, 118, 7, "o")
    D.fill(56, 8, 118, 19, "o")
    # a hedgehog in a trench one row deep: it pokes out, and cannot climb out
    P.clear(62, 7, 69, 7)
    P.fill(62, 6, 69, 6, "o")
    D.fill(62, 7, 69, 7, "o")
    P.set(66, 7, "0")
    # hidden stepping stones up to a pocket of coins in the cave roof, a bat on guard
    P.set(76, 12, "f")
    P.set(81, 15, "f")
    P.clear(84, 20, 92, 22)
    D.fill(84, 20, 92, 22, "o")
    P.put(85, 20, "HHHHHHH")
    P.put(85, 21, " HHHHH ")
    P.set(80, 17, "1")
    # a pit with a rail platform
    P.clear(98, 0, 105, 7)
    L.rail([(98, 7), (105, 7)])
    P.set(98, 7, "a")
    for i, h in enumerate([2, 3, 4, 4, 3, 2]):
        P.set(99 + i, 8 + h, "H")
    L.character(72, 8, 1, 1, 2, FAIRY,
                "Psst ! Des blocs cachés&mènent à une cachette&dans la voûte…")

    # Out of the cave: springs on a pedestal under an opening to the meadow.
    P.clear(119, 8, 126, 30)
    P.fill(119, 8, 123, 11, "j")
    P.put(120, 12, "GGG")
    D.fill(119, 8, 126, 30, "o")
    for y in (17, 22, 27, 32):
        P.set(121, y, "H")

    # The meadow under the cliffs: a hedgehog between two green pipes.
    L.ground(131, 419, 30)
    P.fill(134, 31, 134, 32, "q")
    P.fill(147, 31, 147, 32, "q")
    P.set(141, 31, "0")
    P.put(139, 36, "HHHH")
    for x, code in ((128, "C"), (137, "D"), (146, "E")):
        plant(L, x, code)
    hill(D, 127, 150, 31, 6)

    # Up the cliffs: three steps of five rows, each a held jump, to the heights on row 50.
    L.character(145, 31, 2, 2, 0, ROBOT,
                "Les falaises ! Chaque&marche demande un saut&bien maintenu.")
    for k, x in enumerate((152, 161, 170)):
        L.ground(x, x + 8, 35 + 5 * k)
        P.fill(x, 31, x, 34 + 5 * k, "p")
        P.put(x + 2, 37 + 5 * k, "HHH")
        plant(L, x + 6, "J")

    # The heights: a bat at head height, the door to the secret room, the edge of the chasm.
    C = 215  # the Great Chasm's first column
    L.ground(179, C - 1, 50)
    P.fill(179, 31, 179, 49, "p")
    P.set(193, 52, "1")
    P.put(190, 56, "HHHHHH")
    for x, code in ((182, "E"), (187, "C"), (199, "F"), (212, "G")):
        plant(L, x, code)
    L.door_pair((201, 51), (64, 54), 2)
    L.character(198, 51, 2, 3, 0, SAGE,
                "Cette porte mène à&une salle pleine de pièces.&Appuie sur ↓ devant elle.")
    L.character(209, 51, 2, 2, 0, ROBOT,
                "Le Grand Gouffre ! Trois&plateformes le traversent.&Attends chacune, saute&de l'une à l'île suivante.")

    # The Great Chasm, twenty rows deep. Its sandy floor is no way across: the far side stands
    # thirteen rows above it. Planks up the near wall lead a fallen player back to the edge.
    I1, I2 = C + 21, C + 36  # the two islands, floating rocks three cells wide
    K = I2 + 7               # the crossing of rails where the bent rail turns down
    F = K + 12               # the far side
    P.clear(C, 31, F - 1, 50)
    P.fill(C, 30, F - 1, 30, "n")
    for y in (34, 38, 42, 46):
        P.put(C, y, "hhhh")
    # 1. A straight rail, level with the edge, twenty cells out to the first island.
    L.rail([(C, 50), (C + 19, 50)])
    P.set(C, 50, "a")
    P.put(I1, 50, "ppp")
    P.fill(I1, 46, I1 + 2, 49, "i")
    for i, h in enumerate([2, 3, 4, 4, 3, 2]):
        P.set(C + 7 + i, 52 + h, "H")
    # 2. A turning rail: down a column beside the island, round the corner under a hanging
    # rock that no jump can pass, and out to the second island, five rows lower. A platform
    # going up or down still carries its rider by its last step sideways: the island's rock
    # keeps a rider from drifting off.
    L.rail([(I1 + 3, 50), (I1 + 3, 45), (I1 + 13, 45)])
    P.set(I1 + 3, 50, "a")
    P.fill(I1 + 4, 49, I1 + 5, 63, "i")
    P.put(I2, 45, "ppp")
    P.fill(I2, 42, I2 + 2, 44, "i")
    P.put(I1 + 8, 47, "HHH")
    # 3. A bent rail: along the top of a ruin, down a step at a crossing of rails, and on under
    # another hanging rock to the far side. The crossing's short stubs (up and ahead) carry
    # the platform round the bend both ways. Going down, a rider slides back by almost a
    # cell: one who stood at the back lands on the ruin's lower step, level with the rail
    # below, and steps on again.
    L.rail([(I2 + 3, 45), (K, 45), (K, 43), (K + 10, 43)])
    D.set(K, 46, ".")
    D.set(K + 1, 45, ".")
    P.set(I2 + 3, 45, "a")
    P.fill(I2 + 3, 42, K - 1, 43, "i")
    P.fill(K + 2, 46, K + 3, 63, "i")
    for i, h in enumerate([2, 3, 3, 2]):
        P.set(K + 5 + i, 45 + h, "H")

    # The far side: a hedgehog between two pipes.
    L.ground(F, 315, 43)
    L.character(F + 1, 44, 1, 1, 2, FAIRY, "Bravo ! Tu as traversé&le Grand Gouffre !")
    P.set(F + 6, 44, "q")
    P.set(F + 26, 44, "q")
    P.set(F + 16, 44, "0")
    P.put(F + 14, 48, "HHHH")
    for x, code in ((F + 3, "C"), (F + 11, "E"), (F + 21, "K"), (F + 30, "C"), (F + 36, "E")):
        plant(L, x, code, 44)
    hill(D, F + 2, 315, 44, 5, "p", "i")

    # Down from the far side in two steps to the meadow of the exit, where a feather lifts
    # Mivo to a shelf of treasures and a hedgehog walks between two pipes.
    L.ground(316, 324, 37)
    P.fill(315, 38, 315, 43, "p")
    L.ground(325, 333, 33)
    P.fill(324, 34, 324, 37, "p")
    P.fill(333, 31, 333, 32, "p")
    plant(L, 319, "D", 38)
    P.set(338, 31, "D")
    P.put(343, 50, "hhhhhhhhhhhh")
    P.put(344, 51, "HHH CFC HHH")
    L.character(336, 31, 1, 1, 2, FAIRY,
                "Une plume ! Saute dedans&en gardant → enfoncé.")
    for x, code in ((341, "E"), (346, "F"), (352, "H"), (353, "H"),
                    (366, "E"), (375, "I"), (386, "G"), (395, "K"), (414, "E")):
        plant(L, x, code, 31)
    P.fill(366, 31, 366, 32, "q")
    P.fill(386, 31, 386, 32, "q")
    P.set(376, 31, "0")
    P.put(373, 36, "HHHHHH")
    hill(D, 336, 392, 31, 8)

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

    L.exit(398, 30)
    P.fill(419, 31, 419, 63, "a")
    return L


# --- 4: the castle ---------------------------------------------------------------------------

def chateau():
    """A castle climbed floor by floor, left and right in turn: one-way planks, hedgehogs kept
    between metal blocks, bats at head height, a wall-jump chimney, a lift up a straight rail
    (the only way to the third floor), doors to the treasury, and the exit on the roof. Floor slabs are three rows thick; their tops are rows 17, 31, 45, 59 and
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

    # Ground floor: a walk to the right past spikes (and one already sprung), blocks to bump
    # and a hedgehog walking between two metal blocks, then a plank ladder up through the
    # ceiling.
    P.put(24, 4, "HHHHHH")
    P.fill(40, 4, 41, 5, "k")
    P.set(40, 6, "k")
    P.put(50, 4, "AA B")
    P.set(63, 8, "e")
    P.set(66, 8, "d")
    P.put(70, 8, "bb")
    P.set(70, 4, "l")
    P.set(92, 4, "l")
    P.set(82, 4, "0")
    P.put(98, 8, "hhhhhhh")
    P.put(98, 13, "hhhhhhh")
    P.clear(98, 15, 104, 17)
    P.put(98, 17, "hhhhhhh")
    L.character(94, 4, 2, 3, 0, SAGE, "Les planches se&traversent d'en bas.&Monte, Mivo !")

    # First floor, to the left: a hedgehog between two metal blocks, the wall-jump chimney.
    P.set(88, 18, "l")
    P.set(68, 18, "l")
    P.set(78, 18, "0")
    P.put(72, 21, "HHHH")
    P.fill(16, 20, 16, 31, "j")
    P.clear(13, 29, 15, 31)
    for y in (21, 25, 29):
        P.set(14, y, "H")
    L.character(22, 18, 2, 2, 1, ROBOT, "Une cheminée !&Rebondis d'un mur&à l'autre pour monter.")

    # Second floor, to the right: a bat at head height, blocks to bump, and the lift: a
    # platform that rises up a straight rail through a hole in the ceiling, too high to jump.
    P.set(60, 33, "1")
    P.put(57, 37, "HHHH")
    P.put(68, 35, "bdb")
    X = 92  # the lift's rail, up a shaft open to the night sky
    D.clear(X - 1, 32, X + 1, 45)
    L.rail([(X, 32), (X, 45)])
    P.set(X, 32, "a")
    P.clear(X - 1, 43, X + 1, 45)
    for y in (37, 40):
        P.set(X + 1, y, "H")
    L.character(95, 32, 2, 2, 0, ROBOT,
                "L'ascenseur ! Saute sur&la plateforme, elle t'emmène&à l'étage du dessus.")

    # Third floor, to the left: a bat, the doors of the treasury, crates up to a plank in the
    # ceiling.
    P.put(80, 46, "HHHH")
    P.set(48, 47, "1")
    P.fill(27, 46, 30, 47, "k")
    P.fill(21, 46, 26, 51, "k")
    P.fill(13, 46, 20, 51, "i")
    P.put(14, 55, "hhhhh")
    P.clear(13, 57, 19, 59)
    P.put(13, 59, "hhhhhhh")
    L.door_pair((60, 46), (37, 81), 3)
    L.character(64, 46, 2, 3, 0, SAGE, "Cette porte mène au&trésor du château.&(↓ devant la porte)")

    # Fourth floor, to the right: a hedgehog between two metal blocks, a bat, planks up to the
    # roof.
    P.set(44, 60, "l")
    P.set(70, 60, "l")
    P.set(57, 60, "0")
    P.set(80, 61, "1")
    P.put(54, 64, "HHHHH")
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


# --- 5: the frozen doors ------------------------------------------------------------------------

def portes_du_givre():
    """A maze of teleport doors between three halls that walls as high as the sky keep apart.
    In the first hall a door whose only partner is hidden in its own place leads back to itself,
    and the green one leads on; in the second a hedgehog walks between two blocks of ice before the yellow door, whose
    partner is hidden: Mivo arrives in the third hall out of thin air, under a bat, near the
    exit. A sage, a robot and a fairy tell the way. Ground surface on row 3: Mivo walks at
    y = 4."""
    L = Level(120, 40, "Les portes du givre", "4", "vesk.ogg", "neige")
    P, D = L.play, L.decor
    L.ground(0, 119, 3, surface="c", body="g")
    L.start(3, 4)
    for x in (30, 60):
        P.fill(x, 4, x, 39, "m")
    P.fill(119, 4, 119, 39, "m")

    # The first hall: the door that leads nowhere, and the green one. The orange door leads back
    # to itself through a hidden partner standing in its own place, which tells the level
    # checker that it has no partner on purpose.
    L.character(6, 4, 2, 3, 0, SAGE,
                "Les salles du givre !&Les murs montent jusqu'au ciel :&passe par les portes&(↓ devant une porte).")
    L.door(11, 4, 4)
    L.door(11, 4, 4, hidden=True)
    L.character(15, 4, 2, 2, 0, ROBOT, "La porte orange ne&mène nulle part.&Prends la verte !")
    L.door(21, 4, 1)
    P.put(8, 7, "HHH")
    for x, code in ((1, "E"), (26, "C"), (28, "E")):
        plant(L, x, code)

    # The second hall: a hedgehog walks between two blocks of ice before the yellow door.
    L.door(32, 4, 1)
    P.set(38, 4, "m")
    P.set(46, 4, "0")
    P.set(54, 4, "m")
    P.put(43, 8, "HHHH")
    L.door(56, 4, 2)
    L.character(36, 4, 1, 1, 2, FAIRY, "Un hérisson ! Saute&sur son dos, puis entre&dans la porte jaune.")
    for x, code in ((35, "F"), (50, "C")):
        plant(L, x, code)

    # The third hall: Mivo comes out of a hidden door, under a bat, near the exit.
    L.door(62, 4, 2, hidden=True)
    P.set(80, 5, "1")
    P.put(84, 8, "HHHHH")
    L.character(67, 4, 2, 3, 0, SAGE, "Tu es sorti d'une porte&cachée ! Fonce à travers&la chauve-souris (→ →).")
    hill(D, 82, 96, 4, 4, "m", "m")
    for x, code in ((65, "E"), (84, "K"), (115, "E")):
        plant(L, x, code)
    L.exit(100, 3)
    return L


# --- 6: the night rail ------------------------------------------------------------------------

def rail_de_nuit():
    """A night run: a hedgehog between two metal blocks, a bat at head height, then a platform
    on a straight rail over a bottomless pit far too wide to jump, to a ledge three rows higher
    and the exit. Ground surface on row 5: Mivo walks at y = 6."""
    L = Level(140, 40, "Le rail de la nuit", "5", "nuit.ogg", "nuit")
    P, D = L.play, L.decor
    L.ground(0, 69, 5)
    L.start(3, 6)
    L.character(6, 6, 2, 3, 0, SAGE, "Une course de nuit !&Un rail t'attend&au-dessus du gouffre.")
    P.set(20, 6, "l")
    P.set(36, 6, "0")
    P.set(42, 6, "l")
    P.put(27, 10, "HHHH")
    for x, code in ((1, "K"), (14, "J"), (47, "F")):
        plant(L, x, code)
    P.set(60, 7, "1")
    P.put(56, 11, "HHHH")
    L.character(50, 6, 2, 2, 0, ROBOT, "Une chauve-souris !&Fonce à travers&(deux fois → très vite).")

    # The rail over the bottomless pit.
    R = 70
    P.clear(R, 0, R + 21, 5)
    L.rail([(R, 5), (R + 20, 5)])
    P.set(R, 5, "a")
    for i, h in enumerate([2, 3, 4, 4, 3, 2]):
        P.set(R + 8 + i, 8 + h, "H")
    D.fill(R, 0, R + 21, 3, "o")
    L.character(R - 6, 6, 1, 1, 2, FAIRY, "Monte sur la plateforme,&et saute sur la corniche&au bout du rail.")
    F = R + 22
    L.ground(F, 139, 8)
    for x, code in ((F + 3, "E"), (F + 20, "K"), (F + 40, "E")):
        plant(L, x, code)
    L.exit(F + 24, 8)
    P.fill(139, 9, 139, 39, "a")
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
    "5_portes_du_givre": portes_du_givre,
    "6_rail_de_nuit": rail_de_nuit,
}


def main():
    for name, build in LEVELS.items():
        build().save(os.path.join(ROOT, "levels", name))
        print("levels/%s" % name)
    blank().save(os.path.join(ROOT, "templates", "blank"))
    print("templates/blank")


if __name__ == "__main__":
    main()
