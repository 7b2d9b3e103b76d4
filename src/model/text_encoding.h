#pragma once

#include <QByteArrayView>
#include <QString>

// Texts the program wrote as UTF-8 and older installations or other writers
// in an 8-bit code page: UTF-8 when the bytes are valid UTF-8, otherwise each
// byte one character (Latin-1), so that nothing is lost and the next save
// keeps every letter.
//
// A text that may have been cut (a file cut short, a project area too small
// for its text) may end inside a letter: with `mayBeCut` that letter is left
// out rather than the whole text taken for an 8-bit one.
QString utf8OrLatin1(QByteArrayView bytes, bool mayBeCut = false);
