"""Where the program puts its controls over the pictures.

Rectangles are (left, top, right, bottom) with right and bottom exclusive,
in pixels of the picture they sit on. The program places its controls and
pictures by the same rectangles: write_layout_header.py turns them into the
header it is built with.
"""

import resource_ids as ids

MAIN_SIZE = (940, 450)
DETAIL_SIZE = (500, 450)

TITLE_BAND_BOTTOM = 62  # first row below the white title band

# Main window, result page (237) and start page (226)
EXIT_BUTTON = (883, 18, 923, 58)
BANNER_PANEL = (30, 68, 910, 150)
BANNER = (150, 78, 630, 138)
DETAILS_BUTTON = (645, 88, 895, 128)
OS_BOX = (30, 165, 465, 275)
MEMORY_BOX = (475, 165, 910, 275)
GRAPHICS_BOX = (30, 280, 465, 392)
OTHER_BOX = (475, 280, 910, 392)
BOX_BAND_HEIGHT = 20

OS_MARK = (57, 204, 107, 254)
MEMORY_MARK = (497, 204, 547, 254)
GRAPHICS_MARK = (57, 309, 107, 359)
OTHER_MARK = (497, 309, 633, 359)
# The cross with its caption is drawn 136 wide, over all of OTHER_MARK, but
# the page paints 135 columns of it: its last column stays off the frame.
OTHER_MARK_SHOWN = (OTHER_MARK[0], OTHER_MARK[1], OTHER_MARK[2] - 1, OTHER_MARK[3])

OS_NAME_TEXT = (198, 205, 458, 235)
OS_STATUS_TEXT = (198, 239, 458, 269)
MEMORY_TEXT = (635, 205, 895, 220)
MEMORY_STATUS_TEXT = (635, 225, 895, 255)
DISPLAY_TEXT = (198, 314, 458, 344)
OTHER_TEXT = (635, 326, 895, 356)
SOLUTION_BUTTON = (293, 335, 453, 371)
SAVE_BUTTON = (725, 400, 925, 436)
PROGRESS_TEXT = (450, 422, 550, 437)
START_BUTTON = (365, 358, 575, 398)
CAUTION_PANEL = (150, 148, 790, 346)

# Small grey captions in front of the value texts: (left, top, text)
RESULT_CAPTIONS = (
    (112, 208, "ご利用の環境"),
    (112, 242, "判定結果"),
    (552, 208, "ご利用の環境"),
    (552, 228, "判定結果"),
    (112, 317, "判定結果"),
)

# Detail dialog (235)
DETAIL_CLOSE_BUTTON = (441, 18, 481, 58)
SPEC_BOX = (18, 70, 482, 225)
USB_BUTTON = (30, 164, 240, 204)
PCI_BUTTON = (260, 164, 470, 204)
ENVIRONMENT_BOX = (18, 240, 482, 395)
DETAIL_CPU_TEXT = (85, 290, 460, 320)
DETAIL_GRAPHICS_TEXT = (153, 333, 458, 346)
DETAIL_VRAM_TEXT = (153, 351, 458, 366)
DETAIL_SAVE_BUTTON = (270, 404, 470, 440)
DETAIL_LABELS = (
    (30, 292, "CPU"),
    (30, 333, "グラフィック"),
    (30, 351, "VRAM"),
)

# Areas that must stay one plain colour on each background, because a
# control or a transparent static text is drawn over them.
PLAIN_AREAS = {
    ids.IDB_START_PAGE: (EXIT_BUTTON, START_BUTTON, PROGRESS_TEXT),
    ids.IDB_RESULT_PAGE: (EXIT_BUTTON, BANNER, DETAILS_BUTTON, OS_MARK, MEMORY_MARK, GRAPHICS_MARK, OTHER_MARK,
                          OS_NAME_TEXT, OS_STATUS_TEXT, MEMORY_TEXT, MEMORY_STATUS_TEXT, DISPLAY_TEXT, OTHER_TEXT,
                          SOLUTION_BUTTON, SAVE_BUTTON, PROGRESS_TEXT),
    ids.IDB_DETAIL_BACKGROUND: (DETAIL_CLOSE_BUTTON, USB_BUTTON, PCI_BUTTON, DETAIL_CPU_TEXT, DETAIL_GRAPHICS_TEXT,
                                DETAIL_VRAM_TEXT, DETAIL_SAVE_BUTTON),
}

# Pictures drawn over a background: id -> (background id, top-left corner)
PLACED_ON = {
    ids.IDB_START_BUTTON: (ids.IDB_START_PAGE, START_BUTTON[:2]),
    ids.IDB_SAVE_BUTTON: (ids.IDB_RESULT_PAGE, SAVE_BUTTON[:2]),
    ids.IDB_DETAILS_BUTTON: (ids.IDB_RESULT_PAGE, DETAILS_BUTTON[:2]),
    ids.IDB_EXIT_BUTTON: (ids.IDB_RESULT_PAGE, EXIT_BUTTON[:2]),
    ids.IDB_SOLUTION_BUTTON: (ids.IDB_RESULT_PAGE, SOLUTION_BUTTON[:2]),
    ids.IDB_USB_TYPE_BUTTON: (ids.IDB_DETAIL_BACKGROUND, USB_BUTTON[:2]),
    ids.IDB_PCI_TYPE_BUTTON: (ids.IDB_DETAIL_BACKGROUND, PCI_BUTTON[:2]),
    ids.IDB_DETAIL_CLOSE_BUTTON: (ids.IDB_DETAIL_BACKGROUND, DETAIL_CLOSE_BUTTON[:2]),
    ids.IDB_DETAIL_SAVE_BUTTON: (ids.IDB_DETAIL_BACKGROUND, DETAIL_SAVE_BUTTON[:2]),
    ids.IDB_MARK_DOUBLE_CIRCLE: (ids.IDB_RESULT_PAGE, OS_MARK[:2]),
    ids.IDB_MARK_CIRCLE: (ids.IDB_RESULT_PAGE, OS_MARK[:2]),
    ids.IDB_MARK_CROSS: (ids.IDB_RESULT_PAGE, OS_MARK[:2]),
    ids.IDB_MARK_CROSS_CAPTION: (ids.IDB_RESULT_PAGE, OTHER_MARK[:2]),
    ids.IDB_BANNER_SUITABLE: (ids.IDB_RESULT_PAGE, BANNER[:2]),
    ids.IDB_BANNER_LIMITED: (ids.IDB_RESULT_PAGE, BANNER[:2]),
    ids.IDB_BANNER_UNSUITABLE: (ids.IDB_RESULT_PAGE, BANNER[:2]),
}

SIZES = {
    ids.IDB_START_PAGE: MAIN_SIZE,
    ids.IDB_RESULT_PAGE: MAIN_SIZE,
    ids.IDB_DETAIL_BACKGROUND: DETAIL_SIZE,
    ids.IDB_START_BUTTON: (210, 160),
    ids.IDB_SAVE_BUTTON: (200, 144),
    ids.IDB_DETAILS_BUTTON: (250, 160),
    ids.IDB_EXIT_BUTTON: (40, 160),
    ids.IDB_SOLUTION_BUTTON: (160, 144),
    ids.IDB_USB_TYPE_BUTTON: (210, 160),
    ids.IDB_PCI_TYPE_BUTTON: (210, 160),
    ids.IDB_DETAIL_CLOSE_BUTTON: (40, 160),
    ids.IDB_DETAIL_SAVE_BUTTON: (200, 144),
    ids.IDB_MARK_DOUBLE_CIRCLE: (50, 50),
    ids.IDB_MARK_CIRCLE: (50, 50),
    ids.IDB_MARK_CROSS: (50, 50),
    ids.IDB_MARK_CROSS_CAPTION: (136, 50),
    ids.IDB_BANNER_SUITABLE: (480, 60),
    ids.IDB_BANNER_LIMITED: (480, 60),
    ids.IDB_BANNER_UNSUITABLE: (480, 60),
}
