#pragma once
// One string conversion through the conversion library, with the result fetched from
// ghResult. Each returns the library's result code; the output is filled only on 0.
// A missing library or entry throws (RuntimeError), as every library call does.
#include <QByteArray>
#include <QString>

// 8-bit text in, 8-bit text out (_TezConvertStringDD).
int TezConvertDD(const QByteArray& text, int mode, int flag, QByteArray& result);
// UTF-16 text in, 8-bit text out (_TezConvertStringUD).
int TezConvertUD(const QString& text, int mode, int flag, QByteArray& result);
// 8-bit text in, UTF-16 text out (_TezConvertStringDU).
int TezConvertDU(const QByteArray& text, int mode, int flag, QString& result);

// How many string conversions have been asked of the library so far (for diagnostics).
int TezConversionCount();
