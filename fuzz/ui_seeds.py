#!/usr/bin/env python3
"""Writes the hand-made seed inputs of the edit_box and host_input fuzz targets.

Each seed is a short, real session spelled in the targets' own input format:
a number below a bound is two bytes (big-endian), a text is its length in one
byte and then its bytes, an operation is one byte naming it followed by its
arguments (see Operate() in edit_box_fuzz.cpp and host_input_fuzz.cpp).
Run it again after changing either decoder:  fuzz/ui_seeds.py
"""
import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent


def n(value):  # a number below some bound
    return struct.pack(">H", value)


def text(raw):
    return bytes([len(raw)]) + raw


def point(x, y):  # window coordinates, as Point() takes them
    return n(x + 20) + n(y + 20)


GBK_ZHONGWEN = "中文".encode("gbk")


class EditBox:
    """Ops of edit_box_fuzz.cpp; the box is at (20, 20)."""
    KEYS = ["left", "right", "up", "down", "home", "end", "prior", "next", "delete", "back", "return", "tab",
            "escape", "insert", "space", "A", "C", "V", "X", "Z", "7"]

    @staticmethod
    def box(multi_line, bars, width, height, initial, mode=0, max_length=None):
        shape = int(multi_line) | mode << 1 | bars << 4 | (0x80 if max_length is not None else 0)
        limit = n(max_length) if max_length is not None else b""
        return bytes([shape]) + limit + n(width - 40) + n(height - 10) + text(initial)

    set_text = staticmethod(lambda raw, at_end=0: bytes([0]) + text(raw) + bytes([at_end]))
    insert = staticmethod(lambda raw: bytes([1]) + text(raw))
    delete = staticmethod(lambda quiet=0: bytes([2, quiet]))
    select = staticmethod(lambda l1, c1, l2, c2: bytes([3]) + n(l1 + 2) + n(c1 + 2) + n(l2 + 2) + n(c2 + 2))
    key = staticmethod(lambda name, shift=0, ctrl=0: bytes([4]) + n(EditBox.KEYS.index(name)) + bytes([shift | ctrl << 1]))
    char = staticmethod(lambda unit: bytes([6]) + n(unit))
    command = staticmethod(lambda code: bytes([7]) + n([65, 67, 86, 88].index(code)))
    click = staticmethod(lambda x, y, how=0: bytes([8]) + point(x, y) + bytes([how]))
    drag = staticmethod(lambda start, end, shift=0: bytes([9, shift]) + point(*start) + point(*end))
    wheel = staticmethod(lambda notches: bytes([10]) + n(notches + 4))
    resize = staticmethod(lambda w, h: bytes([11]) + n(w) + n(h))
    mode = staticmethod(lambda m: bytes([12]) + n(m))
    scroll = staticmethod(lambda value, vertical: bytes([13]) + n(value + 100) + bytes([vertical]))
    paste = staticmethod(lambda utf8: bytes([14]) + text(utf8))
    ime = staticmethod(lambda utf8, enable=True: bytes([15, 3 if enable else 0]) + text(utf8))
    focus = staticmethod(lambda how: bytes([16, how]))
    tick = staticmethod(lambda ms: bytes([17]) + n(ms))
    huge = staticmethod(lambda piece, size, set_it=0: bytes([19]) + text(piece) + n(size - 1000) + bytes([set_it]))
    right_click = staticmethod(lambda x, y: bytes([20]) + point(x, y))
    menu_click = staticmethod(lambda x, y: bytes([0]) + point(x, y))


class Host:
    """Ops of host_input_fuzz.cpp on the 380 x 338 host window."""
    KEYS = ["tab", "return", "space", "escape", "left", "right", "up", "down", "home", "end", "delete", "back",
            "A", "K", "N", "Y"]
    move = staticmethod(lambda x, y: bytes([0]) + point(x, y))
    press_right = staticmethod(lambda x, y: bytes([4]) + point(x, y))
    release_right = staticmethod(lambda: bytes([5]))
    click = staticmethod(lambda x, y: bytes([6]) + point(x, y))
    double_click = staticmethod(lambda x, y: bytes([7]) + point(x, y))
    key = staticmethod(lambda name, mods=0: bytes([8]) + n(Host.KEYS.index(name)) + bytes([mods]))
    type = staticmethod(lambda raw: bytes([9, len(raw)]) + raw)  # up to 7 bytes
    wheel = staticmethod(lambda notches: bytes([10]) + n(notches + 3))
    resize = staticmethod(lambda w, h: bytes([12, 2]) + n(w - 1) + n(h - 1))
    tick = staticmethod(lambda ms: bytes([13]) + n(ms))
    # What a click handler does: 0 nothing, 1 delete, 2 destroy, 3/4 toggle
    # visible/disabled, 5 re-parent into `other`, 6 to the top level.
    act = staticmethod(lambda what, other=0: bytes([what]) + n(other))
    box_answered = staticmethod(lambda kind, raw: bytes([kind, len(raw)]) + raw)


def edit_box_seeds():
    e = EditBox
    typing = (e.box(True, 3, 200, 100, b"hello") + e.focus(0) + e.click(60, 30)
              + e.char(ord("a")) + e.char(ord("b")) + e.char(0x4E2D) + e.key("return") + e.char(ord("x"))
              + e.key("home", shift=1) + e.key("back") + e.key("left", ctrl=1) + e.tick(600))
    selecting = (e.box(True, 3, 220, 120, b"one two\r\nthree " + GBK_ZHONGWEN) + e.focus(0)
                 + e.select(1, 0, 2, 3) + e.command(67) + e.key("end", ctrl=1) + e.command(86)
                 + e.drag((30, 30), (150, 60), shift=0) + e.command(88) + e.command(65) + e.delete()
                 + e.paste("粘贴 text\r\nline".encode()) + e.key("A", ctrl=1) + e.key("C", ctrl=1))
    odd_text = (e.box(True, 2, 160, 80, b"\x81\x30\xff\r\r\n" + GBK_ZHONGWEN) + e.insert(b"\x81" + GBK_ZHONGWEN * 20)
                + e.resize(90, 50) + e.wheel(-2) + e.scroll(40, 1) + e.scroll(30, 0) + e.mode(2) + e.mode(0)
                + e.ime("输入法".encode()) + e.set_text(b"x" * 200, 1) + e.click(40, 30, 1) + e.tick(1200))
    single_line = (e.box(False, 0, 150, 24, b"single " + GBK_ZHONGWEN, mode=3) + e.focus(0) + e.char(ord("9"))
                   + e.char(ord("z")) + e.mode(4) + e.char(ord(".")) + e.focus(2) + e.focus(3) + e.key("right", shift=1))
    menu = (e.box(True, 3, 200, 100, b"menu text") + e.focus(0) + e.select(1, 0, 1, 4)
            + e.right_click(60, 40) + e.menu_click(40, 44) + e.right_click(60, 40) + bytes([1]))
    huge = (e.box(False, 0, 200, 24, b"") + e.focus(0) + e.huge("价格€100元 ".encode(), 66000) + e.key("end")
            + e.key("home", shift=1) + e.tick(600))
    cut_short = (e.box(True, 3, 200, 100, b"", max_length=9) + e.focus(0) + e.paste("€中文abc\n€x".encode())
                 + e.char(0x20AC) + e.huge(b"long line ", 30000, 1) + e.key("end", ctrl=1))
    return {"huge-paste-and-euro": huge, "maximum-length": cut_short, "typing": typing,
            "selection-and-clipboard": selecting, "odd-gbk-and-views": odd_text,
            "single-line-modes": single_line, "context-menu": menu}


def host_input_seeds():
    h = Host
    typing = (h.click(280, 130) + h.act(0) + h.type(b"hi you") + h.key("tab") + h.key("tab")
              + h.key("left") + h.wheel(-1) + h.move(60, 110) + h.move(300, 300) + h.tick(700))
    menu = (h.move(330, 300) + h.press_right(330, 300) + h.release_right()
            + h.move(40, 19) + h.click(40, 19))
    sub_menu = (h.press_right(330, 300) + h.release_right() + h.click(40, 8 + 22 * 2 + 11 + 11) + h.tick(600)
                + h.key("escape"))
    message_box = (h.click(140, 212) + h.box_answered(4, "继续吗？".encode("gbk")) + h.key("return")
                   + h.key("K", 4) + h.box_answered(0, b"OK"))
    deleting = (h.click(230, 213) + h.act(1) + h.click(320, 213) + h.act(5, 0) + h.move(60, 100)
                + h.click(60, 102) + h.act(2) + h.double_click(150, 100) + h.act(6)
                + h.resize(200, 150) + h.move(100, 100) + h.resize(380, 338))
    return {"typing": typing, "menu-choice": menu, "sub-menu": sub_menu, "message-box-answer": message_box,
            "delete-and-reparent-in-click": deleting}


def write(target, seeds):
    folder = HERE / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    for name, data in seeds.items():
        (folder / f"seed-{name}").write_bytes(data)


if __name__ == "__main__":
    write("edit_box", edit_box_seeds())
    write("host_input", host_input_seeds())
