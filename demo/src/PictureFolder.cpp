#include "PictureFolder.h"

#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QLabel>
#include <QTextDocument>

#include <glog/logging.h>

namespace {

// Whether `label` has less room than its text needs: its layout squeezed it. Measured from the
// text itself, not from what the label claims to need.
bool IsCutOff(const QLabel& label) {
    if (label.text().isEmpty() || Qt::mightBeRichText(label.text())) {
        return false;
    }
    if (label.wordWrap()) {
        return label.heightForWidth(label.width()) > label.height();
    }
    const int margins = 2 * label.margin();
    const QSize needed =
        label.fontMetrics().size(Qt::TextShowMnemonic, label.text()) + QSize(margins, margins);
    return needed.width() > label.contentsRect().width() ||
           needed.height() > label.contentsRect().height();
}

}  // namespace

PictureFolder::PictureFolder(QString directory) : m_directory(std::move(directory)) {}

bool PictureFolder::Prepare() {
    if (QDir().mkpath(m_directory)) {
        return true;
    }
    Fail(m_directory, "the folder cannot be made");
    return false;
}

void PictureFolder::Save(QWidget& widget, const QString& name) {
    const QString path = QDir(m_directory).filePath(name + ".png");
    for (const QLabel* label : widget.findChildren<QLabel*>()) {
        if (label->isVisibleTo(&widget) && IsCutOff(*label)) {
            Fail(path, QString("the text \"%1\" is cut off").arg(label->text().left(80)));
        }
    }
    QDir().mkpath(m_directory);  // a dialog may come before the tour has begun
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        Fail(path, file.errorString());
        return;
    }
    QImageWriter writer(&file, "png");
    if (!writer.write(widget.grab().toImage())) {
        Fail(path, writer.errorString());
        return;
    }
    m_pictures << path;
}

void PictureFolder::Fail(const QString& path, const QString& why) {
    LOG(ERROR) << "Tour picture " << QDir::toNativeSeparators(path).toStdString() << ": "
               << why.toStdString();
    ++m_failures;
}
