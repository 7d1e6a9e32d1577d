#include "PdfPrinter.h"

#include "RuntimeError.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

namespace carnelis {

namespace {
RuntimeError cannotWrite(const QString &path, const QString &why)
{
    return RuntimeError(
        err::PermissionDenied,
        QStringLiteral("Le fichier PDF « %1 » ne peut pas être écrit : %2").arg(QDir::toNativeSeparators(path), why));
}
} // namespace

PdfPrinter::PdfPrinter(const QString &path) : path_(path) {}

PdfPrinter::~PdfPrinter()
{
    // A document never ended is abandoned, never half written.
    KillDoc();
}

QPagedPaintDevice *PdfPrinter::openJob()
{
    file_ = std::make_unique<QSaveFile>(path_);
    if (!file_->open(QIODevice::WriteOnly)) {
        const QString why = file_->errorString();
        file_.reset();
        throw cannotWrite(path_, why);
    }
    writer_ = std::make_unique<QPdfWriter>(file_.get());
    writer_->setCreator(QStringLiteral("CARNELIS"));
    writer_->setTitle(QStringLiteral("CARNELIS"));
    writer_->setResolution(1200);
    writer_->setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
    return writer_.get();
}

void PdfPrinter::closeJob()
{
    writer_.reset();
    const bool written = file_->commit();
    const QString why = file_->errorString();
    file_.reset();
    if (!written)
        throw cannotWrite(path_, why);
}

void PdfPrinter::discardJob(QPainter &painter)
{
    if (file_)
        file_->cancelWriting();
    if (painter.isActive())
        painter.end();
    writer_.reset();
    file_.reset(); // an uncommitted save file removes its temporary copy
}

void PdfPrinter::failDrawing() { throw cannotWrite(path_, QStringLiteral("le dessin de la page a échoué.")); }

} // namespace carnelis
