#include "ui/main/command_guide.h"

namespace kvx::ui {

QString CommandGuideText()
{
    return R"(
<h2>Remote SMS commands</h2>
<p>The KVX acts on SMS messages sent to the number of its SIM card. Every command message
has the same form:</p>
<p style="font-size:14pt"><b>$</b><i>PIN</i><b>*</b><i>instruction</i></p>
<ul>
<li><b>$</b> starts the command.</li>
<li><i>PIN</i> is the command PIN set on the Security setup page (8642 unless it has been
changed).</li>
<li><b>*</b> separates the PIN from the instruction.</li>
<li><i>instruction</i> tells the unit what to do.</li>
</ul>
<p>Example: <b>$8642*rly1*pls</b> pulses relay 1 for its pulse time.</p>

<h3>Instructions</h3>
<p>An instruction names what to act on and the action, separated by <b>*</b>, as in
<b>rly1*pls</b> (relay 1, pulse). Relays are numbered 1 to 8; a pulse closes the relay for
the pulse time set on the Pulse time setup page. The instructions your unit understands
depend on its firmware: the unit's installation manual lists them all.</p>

<h3>Shortcuts</h3>
<p>Long commands are awkward to type on a phone. The SMS command shortcuts page links a short
message of your own (for example <b>open garage</b>) to an instruction (for example
<b>rly1*pls</b>). Sending the shortcut alone has the same effect as the full command.
Shortcuts are not case sensitive. When you define a shortcut, leave out the <b>$</b>, the PIN
and the first <b>*</b>: the page shows that part in front of each instruction.</p>

<h3>Who may send commands</h3>
<p>When sender verification is switched on (Security setup), the unit acts only on commands
from the telephone numbers of the message recipients. Missed-call switching works from the
numbers listed on the Missed call switching page without any SMS cost.</p>

<h3>Good practice</h3>
<ul>
<li>Change the command PIN from its factory value before the unit is installed.</li>
<li>Test each shortcut once after writing the configuration to the unit.</li>
<li>Keep a template of every installed configuration (Save as template).</li>
<li>Check the unit's status view after a change: the relay states show the result of a
command at once.</li>
</ul>
)";
}

} // namespace kvx::ui
