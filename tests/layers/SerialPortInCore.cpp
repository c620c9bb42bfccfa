// Must not compile: only the serial backend reaches Qt SerialPort.
#include <QtSerialPort/QSerialPort>
