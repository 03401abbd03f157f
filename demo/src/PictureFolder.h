#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Where the headless tour puts its pictures. A picture that cannot be saved, or that shows a
// text cut off by its layout, is one ERROR naming the file and why, and counts as a failure:
// the tour then ends with a non-zero exit code.
class PictureFolder {
public:
    explicit PictureFolder(QString directory);

    // Makes the folder; false, with one ERROR, when it cannot be made.
    bool Prepare();
    // Saves a picture of `widget` as <name>.png.
    void Save(QWidget& widget, const QString& name);

    const QStringList& Pictures() const { return m_pictures; }
    int Failures() const { return m_failures; }
    // One ERROR naming `path` and why, counted as a failure.
    void Fail(const QString& path, const QString& why);

private:
    QString m_directory;
    QStringList m_pictures;
    int m_failures = 0;
};
