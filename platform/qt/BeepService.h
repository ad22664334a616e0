#pragma once
// The system beep as an injectable service: the program calls MessageBeep();
// tests install a counter in place of the real sound.

class IBeepService {
public:
    virtual ~IBeepService() = default;
    virtual void Beep() = 0;
};

// Sounds the current service (QApplication::beep unless another is installed).
void MessageBeep();

// Installs a service (null restores the system beep); returns the previous
// one (null for the system beep). The caller keeps ownership.
IBeepService* SetBeepService(IBeepService* service);

// A service that counts beeps, installed for its lifetime.
class CBeepCounter : public IBeepService {
public:
    CBeepCounter();
    ~CBeepCounter() override;
    CBeepCounter(const CBeepCounter&) = delete;
    CBeepCounter& operator=(const CBeepCounter&) = delete;

    void Beep() override { ++m_count; }
    int Count() const { return m_count; }
    void Reset() { m_count = 0; }

private:
    int m_count = 0;
    IBeepService* m_previous = nullptr;
};
