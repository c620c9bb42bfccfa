// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <stdexcept>

namespace km905 {

enum class SerialErrorKind { InvalidPort, PortInUse, PermissionDenied, NotOpen, Io };

// What the serial control raises; callers catch it at each call site.
class SerialError : public std::runtime_error {
  public:
    SerialError(SerialErrorKind kind, const QString& description)
        : std::runtime_error(description.toStdString()), m_kind(kind), m_description(description) {}
    SerialErrorKind kind() const { return m_kind; }
    const QString& description() const { return m_description; }

  private:
    SerialErrorKind m_kind;
    QString m_description;
};

// The one rule for a failed port operation: the error ends that operation, so its later
// steps are skipped; it is dropped without a message, what follows the operation still runs,
// and a later timer or event retries. False when it failed; error gets the description.
template <class Operation>
bool portOperation(Operation&& op, QString* error = nullptr) {
    try {
        op();
        return true;
    } catch (const SerialError& e) {
        if (error) *error = e.description();
        return false;
    }
}

inline constexpr int kCommEventReceive = 2;
inline constexpr int kInputModeBinary = 1;

// The serial communications control: properties and one receive event.
class ISerialControl {
  public:
    virtual ~ISerialControl() = default;

    virtual void SetCommPort(int port) = 0;
    virtual int GetCommPort() const = 0;
    virtual void SetSettings(const QString& settings) = 0;
    virtual void SetPortOpen(bool open) = 0;
    virtual bool GetPortOpen() const = 0;
    virtual void SetInBufferCount(int count) = 0;  // 0 discards the input buffer
    virtual int GetInBufferCount() const = 0;
    virtual void SetOutBufferCount(int count) = 0;  // 0 discards pending output
    virtual int GetOutBufferCount() const = 0;
    virtual void SetInputLen(int len) = 0;  // 0 = Input returns everything buffered
    virtual void SetInputMode(int mode) = 0;
    virtual void SetRThreshold(int threshold) = 0;
    virtual int GetRThreshold() const = 0;
    virtual QByteArray GetInput() = 0;
    virtual void SetOutput(const QByteArray& bytes) = 0;
    virtual int GetCommEvent() const = 0;

    // Why the last open failed, as the raised description; empty after a good open.
    virtual QString lastOpenError() const { return {}; }

    // Raised once at least RThreshold bytes are buffered.
    void setOnComm(std::function<void()> handler) { m_onComm = std::move(handler); }

  protected:
    void fireOnComm() {
        if (m_onComm) m_onComm();
    }

  private:
    std::function<void()> m_onComm;
};

}  // namespace km905
