UPDATE clients clients
SET 
 clients.`Cust No` = 'O\'Neil', 
 clients.Firm = "x" # note
WHERE 
 clients.ClientNo = 1001 