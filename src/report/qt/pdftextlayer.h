#pragma once
// The PDF's text layer in real Thai. Qt names each glyph by the lowest code point the font
// maps to it; the fonts reach their shifted tone marks and vowels through legacy
// private-use code points, so a copied or searched name would hold those. This device sits
// between the PDF writer and the file and puts the letters back in each ToUnicode map.
// The codes have the same length, so the file's offsets stay as Qt wrote them.
#include <QByteArray>
#include <QIODevice>

namespace vorlane {

class PdfTextLayerFilter final : public QIODevice {
public:
    // Writes through to `target`, which is open for writing and outlives the filter.
    explicit PdfTextLayerFilter(QIODevice *target);
    ~PdfTextLayerFilter() override;
    // Passes on what is still held; call once the writer is done.
    bool finish();
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    bool pass(qsizetype upTo);
    QIODevice *m_target;
    QByteArray m_held;
    bool m_inMap = false;
    bool m_failed = false;
};

// The Thai letter a legacy private-use code (U+F700..U+F71A) stands for, else `code`.
char16_t ThaiLetterOfLegacyCode(char16_t code);

}  // namespace vorlane
