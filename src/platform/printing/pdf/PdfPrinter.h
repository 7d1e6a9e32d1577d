#pragma once
#include "PaintedPrinter.h"

#include <memory>

class QPdfWriter;
class QSaveFile;

namespace carnelis {

// The report as a PDF file on A4 paper. The file appears only when the document ends:
// an abandoned document leaves no file and an existing one untouched.
class PdfPrinter : public PaintedPrinter {
public:
    explicit PdfPrinter(const QString &path);
    ~PdfPrinter() override;

protected:
    QPagedPaintDevice *openJob() override;
    void closeJob() override;
    void discardJob(QPainter &painter) override;
    void failDrawing() override;

private:
    QString path_;
    std::unique_ptr<QSaveFile> file_;
    std::unique_ptr<QPdfWriter> writer_;
};

} // namespace carnelis
