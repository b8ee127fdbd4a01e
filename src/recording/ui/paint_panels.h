#pragma once

#include <QFrame>
#include <QString>

class QLabel;
class QPainter;

namespace lumo::recording::ui {

// A panel other windows draw on: after painting itself it raises OnPaint
// with a painter open on it.
class TPaintPanel : public QFrame {
    Q_OBJECT

public:
    explicit TPaintPanel(QWidget* parent = nullptr);

signals:
    void OnPaint(QPainter* painter);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A panel whose caption is a label filling it, centred both ways with word wrap.
class TWrapPanel : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)

public:
    explicit TWrapPanel(QWidget* parent = nullptr);

    QString caption() const;
    void setCaption(const QString& text);
    QLabel* label() const { return label_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* label_ = nullptr;
};

}  // namespace lumo::recording::ui
