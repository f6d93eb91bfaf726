object Module1: TTestModule        Name = 'a'
        Children = tModule  
